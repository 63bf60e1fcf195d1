#include "operations/tracker.h"

#include <cerrno>
#include <new>
#include <utility>

#include "accounting/balance.h"
#include "journal/journal_line.h"
#include "operations/days_file.h"
#include "platform/clock.h"
#include "platform/file_identity.h"
#include "platform/line_text.h"

namespace tallimer {

namespace {
// Hands lines to a scan that runs inside another command's read. Memory running out in the
// scan must not fail that command: the scan stops, and counts as a read that failed.
struct ScanFeed {
    JournalScan& scan;
    bool fed = false;
    bool outOfMemory = false;

    void operator()(std::string_view line) {
        fed = true;
        if (outOfMemory) {
            return;
        }
        try {
            scan.Line(line);
        } catch (const std::bad_alloc&) {
            outOfMemory = true;
        }
    }
    // Finishes the scan; ENOMEM when it ran out of memory on the way.
    int finish() {
        try {
            if (!outOfMemory) {
                scan.Finish();
            }
        } catch (const std::bad_alloc&) {
            outOfMemory = true;
        }
        return outOfMemory ? ENOMEM : 0;
    }
};
}  // namespace

Tracker::Tracker(SettingsStore store) : store_(std::move(store)), journal_(store_.journalPath) {}

void Tracker::load() {
    LoadSettings(store_);
    journal_ = Journal(store_.journalPath);
    readDays();
    offersUndo_ = false;
}

void Tracker::start() {
    load();
    RemoveStaleTemporaries(store_);
    AdoptDaysFile(store_.daysFilePath);
    ledgerCorrected_ =
        CheckLedger(store_.ledgerPath, store_.settings.flexBalance, platform::LocalNow());
    offersUndo_ = true;
}

const DaysBook& Tracker::readDays() {
    // Looked at with every scan, as a person may have edited it; read again only when it is
    // another file or was written since.
    const platform::FileIdentity now = platform::IdentifyFile(store_.daysFilePath);
    if (daysRead_ && now == daysIdentity_) {
        return days_;
    }
    DaysFileRead read = ReadDaysFile(store_.daysFilePath);
    if (read.error == 0 || read.error == ENOENT) {
        days_ = std::move(read.book);
        daysIdentity_ = now;
        daysRead_ = true;
    }
    return days_;
}

Snapshot Tracker::snapshot() const {
    Snapshot s;
    s.day = day_;
    s.status = day_.periodOpen != 0 ? DayStatus::Stop : DayStatus::Start;
    s.removeEnabled = removeEnabled_;
    s.canUndo = canUndo_;
    s.projects = projects_.Names();
    s.projectEditText = projectEditText_;
    return s;
}

Done<ScanOutcome> Tracker::took(ScanRead&& read) {
    if (read.error != 0) {
        removeEnabled_ = false;
        if (read.error == ENOENT) {
            canUndo_ = false;
        }
        return {read.error == ENOENT ? ScanOutcome::NoJournal : ScanOutcome::CannotOpen, snapshot(),
                read.error};
    }
    projects_ = std::move(read.projects);
    projectEditText_ = read.projectEditText;
    removeEnabled_ = day_.entryCount != 0;
    canUndo_ = offersUndo_ && CanUndo(journal_, read.mark);
    return {ScanOutcome::Read, snapshot()};
}

Done<ScanOutcome> Tracker::selectDate(QDate date, ScanSinks sinks, const LineVisitor& lines,
                                      JournalAsRead* keep) {
    selectedDate_ = date;
    return rescan(sinks, lines, keep);
}

Done<ScanOutcome> Tracker::rescan(ScanSinks sinks, const LineVisitor& lines, JournalAsRead* keep) {
    return took(ScanJournal(journal_, store_.settings, selectedDate_, day_, month_, sinks,
                            {lines, keep, &readDays(), listsProjects_}));
}

Done<DaysOutcome> Tracker::changeDays(const DaysEdit& edit, ScanSinks sinks, LedgerReason reason) {
    const DaysOutcome outcome = ChangeDays(journal_, store_, edit, reason);
    if (outcome == DaysOutcome::Unchanged) {
        return {outcome, snapshot()};  // the views stand as they are
    }
    const Done<ScanOutcome> scanned = rescan(sinks);
    return {outcome, scanned.snapshot,
            scanned.outcome == ScanOutcome::CannotOpen ? scanned.error : 0};
}

Done<DaysOutcome> Tracker::bookDaysFile(ScanSinks sinks) {
    return changeDays([](DaysBook&) {}, sinks, LedgerReason::DaysFile);
}

Done<SaveOutcome> Tracker::saveEntry(const EntryPanelInput& input) {
    SavedEntry saved;
    const SaveOutcome outcome = SaveEntry(journal_, input, store_, day_, saved);
    if (outcome != SaveOutcome::Saved) {
        return {outcome, snapshot()};
    }
    removeEnabled_ = true;
    canUndo_ = offersUndo_ && saved.undoRecorded;
    // The new line is the journal's last: the project box as a rescan would leave it.
    const std::string_view line =
        CutLine(std::string_view(saved.line.constData(), size_t(saved.line.size() - 1)));
    const std::string_view project = ProjectBytes(line);
    if (!project.empty() && EntryTime(line) != 0) {
        projects_.Add(project);
    }
    projectEditText_ = platform::LineText(project);
    Done<SaveOutcome> done{outcome, snapshot()};
    done.snapshot.projectToAppend = saved.projectToAppend;
    done.snapshot.preset = saved.preset;
    return done;
}

int Tracker::writeScanned(ScanSinks sinks,
                          const std::function<FedWrite(const LineVisitor&)>& write) {
    DayState day = day_;
    const MonthState monthBefore = month_;
    ScanRead read;
    JournalScan scan(store_.settings, selectedDate_, day, month_, sinks, read, &days_);
    ScanFeed feed{scan};
    const FedWrite written = write([&feed](std::string_view line) { feed(line); });
    if (written.changed) {
        read.error = written.journalGone ? ENOENT : feed.finish();
        if (written.dayFromScan && read.error == 0) {
            day_ = day;
        }
        took(std::move(read));
    }
    if (!written.changed || read.error != 0) {
        month_ = monthBefore;
    }
    canUndo_ = written.canUndo;
    if (feed.fed && !sinks.empty() && (!written.changed || feed.outOfMemory)) {
        read.error = rescan(sinks).error;  // the views were fed a content that did not come
    }
    return read.error;
}

Done<RemoveOutcome> Tracker::removeDay(ScanSinks sinks) {
    // The copy's read scans the new content too. The month is rebuilt in place, as a report
    // sink fills the tracker's own, and put back unless the new content takes the journal's
    // place; the day is Remove's own.
    RemoveOutcome outcome{};
    const int error = writeScanned(sinks, [&](const LineVisitor& keptLine) {
        bool undoRecorded = false;
        outcome = RemoveDayEntries(journal_, store_, day_, undoRecorded, keptLine);
        const bool removed = outcome == RemoveOutcome::Removed;
        return FedWrite{.changed = removed,
                        .canUndo = removed ? offersUndo_ && undoRecorded : canUndo_};
    });
    return {outcome, snapshot(), error};
}

DayEntriesRead Tracker::dayEntries() const {
    return ReadDayEntries(journal_, selectedDate_);
}

TimesheetRead Tracker::timesheet(QDate today, const QString& name) const {
    return ReadMonthTimesheet(journal_, store_.ledgerPath, settings(), days_, selectedDate_, today,
                              name);
}

std::optional<OpenPeriodStart> Tracker::openEarlierDay(QDate today) const {
    return FindOpenEarlierDay(journal_, today);
}

Done<EditDayOutcome> Tracker::editDay(const DayEntryRows& rows, const JournalMark& expectedMark,
                                      ScanSinks sinks) {
    // As Remove's, the copy's read scans the new content; the day becomes the scan's.
    EditDayOutcome outcome{};
    const int error = writeScanned(sinks, [&](const LineVisitor& newLine) {
        bool undoRecorded = false;
        outcome = EditDay(journal_, store_, day_, days_, {selectedDate_, rows, expectedMark},
                          undoRecorded, newLine);
        const bool edited = outcome == EditDayOutcome::Edited;
        return FedWrite{.changed = edited,
                        .canUndo = edited ? offersUndo_ && undoRecorded : canUndo_,
                        .dayFromScan = true};
    });
    return {outcome, snapshot(), error};
}

Done<UndoOutcome> Tracker::undo(ScanSinks sinks, UndoneChange* undone) {
    // The content undo brings back is scanned from the read that brings it: into a day of its
    // own and, as a report sink fills the tracker's own month, into the month in place, put
    // back unless the content becomes the journal's.
    UndoOutcome outcome{};
    const int error = writeScanned(sinks, [&](const LineVisitor& restoredLine) {
        // Undo of a days change: the scan fed from it takes the old book's terms.
        outcome = UndoLastChange(
            journal_, store_, day_, restoredLine, [this] { readDays(); }, undone);
        const bool undone =
            outcome == UndoOutcome::Undone || outcome == UndoOutcome::UndoneBalanceNotSaved;
        // Refused or failed, the record still names the journal only after a failed step. A
        // journal the undone save had created is gone: the day undo emptied stays.
        return FedWrite{.changed = undone,
                        .canUndo = outcome == UndoOutcome::DatabaseError && canUndo_,
                        .dayFromScan = true,
                        .journalGone = undone && !journal_.exists()};
    });
    return {outcome, snapshot(), error};
}

Done<SetupOutcome> Tracker::applySetup(const SetupForm& form, ScanSinks sinks) {
    const QString journalBefore = store_.journalPath;
    const int32_t balanceBefore = store_.settings.flexBalance;
    ApplySetupForm(form, store_);
    journal_ = Journal(store_.journalPath);
    const SetupOutcome outcome =
        SaveSettings(store_, ledgerAppend(LedgerReason::Setup, balanceBefore))
            ? SetupOutcome::Saved
            : SetupOutcome::NotSaved;
    const Done<ScanOutcome> read = took(ScanAfterSetup(journal_, journalBefore, store_.settings,
                                                       selectedDate_, day_, month_, sinks));
    return {outcome, read.snapshot, read.error};
}

bool Tracker::newMonthCapAsked() const {
    return NewMonthCheckAsks(month_.newMonthFlag, store_.settings);
}

bool Tracker::capNewMonth() {
    const int32_t balanceBefore = store_.settings.flexBalance;
    ApplyNewMonthCap(store_.settings);
    return SaveSettings(store_, ledgerAppend(LedgerReason::NewMonthCap, balanceBefore));
}

LedgerAppend Tracker::ledgerAppend(LedgerReason reason, int32_t balanceBefore) const {
    const QDateTime now = platform::LocalNow();
    return PlanLedgerAppend(store_.ledgerPath, {reason, now.date(), {}}, balanceBefore,
                            store_.settings.flexBalance, now);
}

bool Tracker::automaticStopDue() const {
    return day_.periodOpen != 0 && store_.settings.automaticMode != 0;
}

bool Tracker::saveOnShutdown() {
    return SaveSettings(store_);
}

void Tracker::setViewKind(int32_t viewKind) {
    store_.settings.viewKind = viewKind;
}

int32_t Tracker::effectiveMinuteUnit() {
    return EffectiveMinuteUnit(store_.settings);
}

}  // namespace tallimer
