#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <span>

#include "accounting/time_lists.h"
#include "journal/journal.h"
#include "journal/project_collector.h"
#include "model/day_state.h"
#include "model/days_book.h"
#include "model/month_state.h"
#include "model/scan_sink.h"
#include "operations/change_days.h"
#include "operations/edit_day.h"
#include "operations/month_timesheet.h"
#include "operations/open_earlier_day.h"
#include "operations/remove_day_entries.h"
#include "operations/save_entry.h"
#include "operations/settings_store.h"
#include "operations/setup_form.h"
#include "operations/undo.h"
#include "platform/file_identity.h"

namespace tallimer {

// Which entry the next Save writes: the panel's status text.
enum class DayStatus { Start, Stop };

// What the views show after a command.
struct Snapshot {
    DayState day;
    DayStatus status = DayStatus::Start;
    bool removeEnabled = false;
    bool canUndo = false;
    QStringList projects;     // the project box's list
    QString projectEditText;  // the project box's edit text
    // After a Save: a name the project box's list gains, and after the day's first entry the
    // time the hour and minute lists are preset to.
    std::optional<QString> projectToAppend;
    std::optional<TimeRecord> preset;
};

enum class ScanOutcome { Read, NoJournal, CannotOpen };
enum class SetupOutcome { Saved, NotSaved };

template <typename Outcome>
struct Done {
    Outcome outcome;
    Snapshot snapshot;
    // For a scan, a Setup, and a Remove or undo that made its change: the errno of the read that
    // was to give the project box and the views the journal's content; 0 when it did.
    int error = 0;
};

using ScanSinks = std::span<ScanSink* const>;

// The one owner of the day: the settings store, DayState and MonthState of the selected date,
// and the journal. The window and tallimer-report drive it, one member per command. A command
// reads the journal at most once: a Save only its last bytes, Remove and undo the content
// they write (the views' sinks are fed from that same read); the balance is booked once.
class Tracker {
  public:
    Tracker() = default;
    explicit Tracker(SettingsStore store);

    // The settings as tallimer-report loads them (an unfinished change is finished on the way);
    // the snapshot then never offers undo, so undo's record is not even looked at.
    void load();
    // The window's start: the settings loaded, temporaries a crash left removed, the ledger
    // opened or brought in step with the balance, undo offered.
    void start();
    // The balance the ledger held when the start found it differing from the balance.
    std::optional<int32_t> ledgerCorrected() const { return ledgerCorrected_; }

    const SettingsStore& store() const { return store_; }
    const Settings& settings() const { return store_.settings; }
    const MonthState& month() const { return month_; }
    // The month the scan rebuilds, for a report sink to fill as the scan goes.
    MonthState& month() { return month_; }
    QDate selectedDate() const { return selectedDate_; }
    // The days off and week plans as the last load or scan read them.
    const DaysBook& days() const { return days_; }
    Snapshot snapshot() const;

    // Reads the journal for `date` (or the selected date) once, feeding `sinks` and every line
    // to `lines`, and leaves the file read open in `keep` when given. A journal that cannot be
    // read keeps the day and month, and disables Remove.
    Done<ScanOutcome> selectDate(QDate date, ScanSinks sinks = {}, const LineVisitor& lines = {},
                                 JournalAsRead* keep = nullptr);
    Done<ScanOutcome> rescan(ScanSinks sinks = {}, const LineVisitor& lines = {},
                             JournalAsRead* keep = nullptr);

    Done<SaveOutcome> saveEntry(const EntryPanelInput& input);
    // Days off and week plans: `edit` changes the book, the balance follows, the views are
    // rescanned with the new terms.
    Done<DaysOutcome> changeDays(const DaysEdit& edit, ScanSinks sinks = {},
                                 LedgerReason reason = LedgerReason::DayOff);
    // Books a change of the days file made by hand (or left unbooked by a crash): Unchanged
    // when the balance already holds the file as it is.
    Done<DaysOutcome> bookDaysFile(ScanSinks sinks = {});
    Done<RemoveOutcome> removeDay(ScanSinks sinks = {});
    // The selected day's entries for the editor, read once, with the journal's mark.
    DayEntriesRead dayEntries() const;
    // The editor's rows in place of the selected day's lines, with the change of its credit;
    // refused when the journal's mark is no longer `expectedMark`.
    Done<EditDayOutcome> editDay(const DayEntryRows& rows, const JournalMark& expectedMark,
                                 ScanSinks sinks = {});
    // `undone`, where given, learns what an undo that went through took back.
    Done<UndoOutcome> undo(ScanSinks sinks = {}, UndoneChange* undone = nullptr);
    // The selected date's month as the timesheet's HTML document, read once.
    TimesheetRead timesheet(QDate today, const QString& name) const;
    // The latest day before `today` that left a period open, read once.
    std::optional<OpenPeriodStart> openEarlierDay(QDate today) const;
    // Setup's OK: the form taken as typed and saved; the day is then the journal's at the
    // (maybe new) path.
    Done<SetupOutcome> applySetup(const SetupForm& form, ScanSinks sinks = {});

    // Whether the new-month check asks to cap the balance, and the cap on OK (saved at once).
    bool newMonthCapAsked() const;
    bool capNewMonth();
    // Whether shutdown saves an automatic Stop first.
    bool automaticStopDue() const;
    bool saveOnShutdown();

    // Whether scans collect the project box's list (on unless turned off): a report that
    // prints no list reads faster without it.
    void setListsProjects(bool on) { listsProjects_ = on; }
    void setViewKind(int32_t viewKind);
    // The unit the time lists are filled with (a unit of 0 or less becomes 1, here too).
    int32_t effectiveMinuteUnit();

  private:
    // What a Remove or an undo tells of its write, whose lines fed a scan of its new content.
    struct FedWrite {
        bool changed = false;      // the content fed is the journal's now
        bool canUndo = false;      // whether undo is offered after it
        bool dayFromScan = false;  // the day becomes the scan's, not the one the write left
        bool journalGone = false;  // the write left no journal to scan
    };

    Done<ScanOutcome> took(ScanRead&& read);
    // The ledger's line for a change of the balance from `balanceBefore` to the settings' own.
    LedgerAppend ledgerAppend(LedgerReason reason, int32_t balanceBefore) const;
    // The days file as it is now; one that cannot be read leaves the book as it was.
    const DaysBook& readDays();
    // Runs `write`, handing it the line visitor that feeds a scan of the content it makes: into
    // a copy of the day, and into the month in place, which is put back unless that content
    // becomes the journal's. Views fed a content that did not come are rescanned. The errno of
    // the read that was to give the views the journal's content, 0 when it did.
    int writeScanned(ScanSinks sinks, const std::function<FedWrite(const LineVisitor&)>& write);

    SettingsStore store_;
    Journal journal_{QString()};
    DaysBook days_;
    platform::FileIdentity daysIdentity_;  // of the days file days_ was read from
    bool daysRead_ = false;
    DayState day_;
    MonthState month_;
    QDate selectedDate_;
    ProjectCollector projects_;
    QString projectEditText_;
    bool removeEnabled_ = false;
    bool offersUndo_ = true;
    bool listsProjects_ = true;
    bool canUndo_ = false;
    std::optional<int32_t> ledgerCorrected_;
};

}  // namespace tallimer
