#include "ui/window_state.h"

#include "journal/journal_line.h"
#include "operations/outcome_messages.h"
#include "resources/string_table.h"

namespace tallimer {

namespace {
// The shown view's sink as the sinks a command feeds: none for a view without one.
ScanSinks ViewSinks(ScanSink* const& view) {
    return ScanSinks(&view, view != nullptr ? 1 : 0);
}

// A command refused or failed: its box, and the view keeps what it shows.
CommandOutcome Refused(int messageId, MessageIcon icon) {
    CommandOutcome outcome;
    outcome.view = ViewChange::FeedFailed;
    outcome.messageId = messageId;
    outcome.icon = icon;
    return outcome;
}
}  // namespace

void WindowState::load() {
    tracker_.start();
    if (settings().viewKind < ViewDaySummary || settings().viewKind > ViewReport) {
        tracker_.setViewKind(ViewDaySummary);
    }
    tracker_.effectiveMinuteUnit();
    snapshot_ = tracker_.snapshot();
}

CommandOutcome WindowState::saveEntry(const EntryPanelInput& input, bool unseenChange) {
    const Done<SaveOutcome> done = tracker_.saveEntry(input);
    snapshot_ = done.snapshot;
    CommandOutcome outcome;
    // Our line, or a header kept or a line cut back, is no outside change; another program's
    // change not yet seen is still to be read.
    outcome.journalIsOwn = !unseenChange;
    if (done.outcome != SaveOutcome::Saved) {
        outcome.messageId = MessageOf(done.outcome);
        outcome.icon = MessageIcon::Stop;
        return outcome;
    }
    outcome.panel = PanelChange::Whole;
    outcome.preset = done.snapshot.preset;
    // The snapshot carries the day the save booked. A list or a report is refilled by a read,
    // as is a day never read (no journal before this save) or a journal changed meanwhile.
    const bool rescan = settings().viewKind != ViewDaySummary || !dayIsRead_ || unseenChange;
    outcome.view = rescan ? ViewChange::Rescan : ViewChange::None;
    outcome.refreshSummary = !rescan;  // the rescan refreshes it
    if (settings().automaticMode == 0) {
        outcome.messageId = StringId::EntrySaved;
    }
    return outcome;
}

CommandOutcome WindowState::removeDayEntries(ScanSink* view) {
    const Done<RemoveOutcome> done = tracker_.removeDay(ViewSinks(view));
    snapshot_ = done.snapshot;
    if (done.outcome != RemoveOutcome::Removed) {
        return Refused(MessageOf(done.outcome), MessageIcon::Stop);
    }
    CommandOutcome outcome = shownAfterRead(done.error);
    outcome.messageId = StringId::EntryRemoved;  // in automatic mode too
    return outcome;
}

CommandOutcome WindowState::undoLastChange(ScanSink* view) {
    UndoneChange undone;
    const Done<UndoOutcome> done = tracker_.undo(ViewSinks(view), &undone);
    snapshot_ = done.snapshot;
    if (done.outcome != UndoOutcome::Undone && done.outcome != UndoOutcome::UndoneBalanceNotSaved) {
        return Refused(MessageOf(done.outcome), done.outcome == UndoOutcome::NothingToUndo
                                                    ? MessageIcon::Information
                                                    : MessageIcon::Stop);
    }
    CommandOutcome outcome = shownAfterRead(done.error);
    outcome.refreshSummary = true;  // also the empty day of a journal the undo removed
    outcome.notice = UndoneText(undone);
    // Undone, but the balance could not be saved: the next start finishes it.
    outcome.messageId = MessageOf(done.outcome);
    outcome.icon = MessageIcon::Stop;
    return outcome;
}

CommandOutcome WindowState::changeDays(const DaysEdit& edit, ScanSink* view, DaysOutcome& outcome,
                                       LedgerReason reason) {
    const Done<DaysOutcome> done = tracker_.changeDays(edit, ViewSinks(view), reason);
    snapshot_ = done.snapshot;
    outcome = done.outcome;
    CommandOutcome shown = shownAfterRead(done.error);
    shown.refreshSummary = true;  // the balance moved
    return shown;
}

CommandOutcome WindowState::editDay(const DayEntryRows& rows, const JournalMark& mark,
                                    ScanSink* view, EditDayOutcome& outcome) {
    const Done<EditDayOutcome> done = tracker_.editDay(rows, mark, ViewSinks(view));
    snapshot_ = done.snapshot;
    outcome = done.outcome;
    if (done.outcome != EditDayOutcome::Edited) {
        return Refused(MessageOf(done.outcome), MessageIcon::Stop);
    }
    CommandOutcome shown = shownAfterRead(done.error);
    shown.refreshSummary = true;  // the balance moved
    return shown;
}

CommandOutcome WindowState::setupApplied(const Done<SetupOutcome>& done) {
    tracker_.effectiveMinuteUnit();
    snapshot_ = done.snapshot;
    CommandOutcome outcome = shownAfterRead(done.error);
    // The summary shows the new settings at once, also where no journal could be read (none
    // yet): the day it shows is the one the window holds either way.
    outcome.refreshSummary = true;
    return outcome;
}

CommandOutcome WindowState::rescan(QDate date, ScanSink* view) {
    const Done<ScanOutcome> done = tracker_.selectDate(date, ViewSinks(view));
    snapshot_ = done.snapshot;
    dayIsRead_ = done.outcome == ScanOutcome::Read;
    CommandOutcome outcome;
    outcome.view = ViewChange::FeedFailed;  // everything else keeps what it showed
    if (dayIsRead_) {
        outcome.panel = PanelChange::Whole;
        outcome.view = ViewChange::Fed;
        outcome.refreshSummary = true;
    }
    return outcome;
}

CommandOutcome WindowState::shownAfterRead(int error) {
    dayIsRead_ = error == 0;
    CommandOutcome outcome;
    outcome.journalIsOwn = true;
    outcome.panel = dayIsRead_ ? PanelChange::Whole : PanelChange::Status;
    outcome.view = dayIsRead_ ? ViewChange::Fed : ViewChange::FeedFailed;
    outcome.refreshSummary = dayIsRead_;
    return outcome;
}

bool WindowState::isOtherDate(QDate date) const {
    return SelectedDateText(date) != snapshot_.day.selectedDateText;
}

bool WindowState::startsAutomatically() const {
    return settings().automaticMode != 0 && !periodOpen();
}

bool WindowState::exitAsks() const {
    return periodOpen() && settings().automaticMode == 0;
}

bool WindowState::saveAsks(const EntryPanelInput& input, const QDateTime& now) const {
    return EntryIsInFuture(input, now, settings().minuteUnit);
}

}  // namespace tallimer
