#pragma once

#include <QDate>
#include <QString>
#include <optional>

#include "accounting/day_summary.h"
#include "accounting/time_lists.h"
#include "model/day_state.h"
#include "model/month_state.h"
#include "operations/rescan_journal.h"
#include "operations/save_entry.h"
#include "operations/settings_store.h"
#include "ui/message_box.h"
#include "ui/window_actions.h"

namespace tallimer {

// What a command leaves the window to show, in this order: the panel's changes, a rescan, a
// forced summary refresh, one message box.
struct CommandOutcome {
    std::optional<QString> projectToAppend;
    std::optional<TimeRecord> preset;  // the lists' selection after a day's first entry
    QString statusText;                // empty: the status stays
    bool rescan = false;
    bool refreshSummary = false;
    bool journalIsOwn = false;  // no rescan follows, yet the journal as it is now is ours
    int messageId = 0;          // 0: no box
    MessageIcon icon = MessageIcon::Information;
};

// The program's state behind the window and the work of its commands, without widgets: each
// command takes what the panel holds and returns what the window shows. The operations'
// Tracker is to take its place.
class WindowState {
  public:
    // The stored settings, stale temporaries gone, a view outside the three taken as the day
    // summary, and the minute unit usable.
    void load();
    // After Setup saved its form: the minute unit usable again.
    void setupSaved();

    CommandOutcome saveEntry(const EntryPanelInput& input);
    CommandOutcome removeDayEntries();
    CommandOutcome undoLastChange();
    // Rereads the journal for `date`, feeding `sink`; with `journalBefore`, the rescan after
    // Setup, which may have moved the journal.
    ScanResult rescan(QDate date, ScanSink* sink, const QString& journalBefore = {});
    void setViewKind(int32_t viewKind) { store_.settings.viewKind = viewKind; }

    // Whether the scanned day is another than `date`.
    bool isOtherDate(QDate date) const;
    // At start-up: the automatic Start; at the end: the automatic Stop.
    bool startsAutomatically() const;
    bool stopsAutomatically() const;
    // Exit asks first while a period is open outside automatic mode.
    bool exitAsks() const;
    // At start-up in a new month: the offer to cap the balance at the maximum, and the cap.
    bool newMonthAsks() const;
    void capBalanceForNewMonth();
    // Which commands can run: Remove while the last scan or command left it so, Undo while
    // the journal is as the last change left it.
    CommandStates commandStates() const;

    const SettingsStore& store() const { return store_; }
    SettingsStore& store() { return store_; }
    const Settings& settings() const { return store_.settings; }
    const DayState& day() const { return day_; }
    MonthState& month() { return month_; }
    bool periodOpen() const { return day_.periodOpen != 0; }

  private:
    SettingsStore store_;
    DayState day_;
    MonthState month_;
    bool removeEnabled_ = false;
};

}  // namespace tallimer
