#include "operations/tracker.h"

#include <cerrno>
#include <utility>

#include "accounting/balance.h"
#include "journal/journal_line.h"
#include "platform/code_page.h"

namespace tallimer {

Tracker::Tracker(SettingsStore store) : store_(std::move(store)), journal_(store_.journalPath) {}

void Tracker::load() {
    LoadSettings(store_);
    journal_ = Journal(store_.journalPath);
    offersUndo_ = false;
}

void Tracker::start() {
    load();
    RemoveStaleTemporaries(store_);
    offersUndo_ = true;
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

Done<ScanOutcome> Tracker::selectDate(QDate date, ScanSinks sinks, const LineVisitor& lines) {
    selectedDate_ = date;
    return rescan(sinks, lines);
}

Done<ScanOutcome> Tracker::rescan(ScanSinks sinks, const LineVisitor& lines) {
    return took(ScanJournal(journal_, store_.settings, selectedDate_, day_, month_, sinks, lines));
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
    projectEditText_ = platform::FromCodePage(project);
    Done<SaveOutcome> done{outcome, snapshot()};
    done.snapshot.projectToAppend = saved.projectToAppend;
    done.snapshot.preset = saved.preset;
    return done;
}

Done<RemoveOutcome> Tracker::removeDay(ScanSinks sinks) {
    bool undoRecorded = false;
    const RemoveOutcome outcome = RemoveDayEntries(journal_, store_, day_, undoRecorded);
    if (outcome != RemoveOutcome::Removed) {
        return {outcome, snapshot()};
    }
    rescan(sinks);  // the month and the project box without the day's lines
    canUndo_ = offersUndo_ && undoRecorded;
    return {outcome, snapshot()};
}

Done<UndoOutcome> Tracker::undo(ScanSinks sinks) {
    const UndoOutcome outcome = UndoLastChange(journal_, store_, day_);
    switch (outcome) {
        case UndoOutcome::Undone:
        case UndoOutcome::UndoneBalanceNotSaved:
            // A journal that undo removed reads as none: the day undo emptied stays.
            rescan(sinks);
            canUndo_ = false;
            break;
        case UndoOutcome::DatabaseError:
            break;  // the record still names the journal
        case UndoOutcome::NothingToUndo:
        case UndoOutcome::JournalGone:
        case UndoOutcome::JournalChanged:
            canUndo_ = false;
            break;
    }
    return {outcome, snapshot()};
}

Done<SetupOutcome> Tracker::applySetup(const SetupForm& form, ScanSinks sinks) {
    const QString journalBefore = store_.journalPath;
    ApplySetupForm(form, store_);
    journal_ = Journal(store_.journalPath);
    const SetupOutcome outcome =
        SaveSettings(store_) ? SetupOutcome::Saved : SetupOutcome::NotSaved;
    took(ScanAfterSetup(journal_, journalBefore, store_.settings, selectedDate_, day_, month_,
                        sinks));
    return {outcome, snapshot()};
}

bool Tracker::newMonthCapAsked() const {
    return NewMonthCheckAsks(month_.newMonthFlag, store_.settings);
}

bool Tracker::capNewMonth() {
    ApplyNewMonthCap(store_.settings);
    return SaveSettings(store_);
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
