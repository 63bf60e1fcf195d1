#include "ui/window_state.h"

#include "accounting/balance.h"
#include "journal/journal_line.h"
#include "operations/remove_day_entries.h"
#include "operations/setup_form.h"
#include "operations/undo.h"
#include "platform/file.h"
#include "resources/string_table.h"

namespace tallimer {

void WindowState::load() {
    LoadSettings(store_);
    RemoveStaleTemporaries(store_);
    if (store_.settings.viewKind < ViewDaySummary || store_.settings.viewKind > ViewReport) {
        store_.settings.viewKind = ViewDaySummary;
    }
    EffectiveMinuteUnit(store_.settings);
}

void WindowState::setupSaved() {
    EffectiveMinuteUnit(store_.settings);
}

CommandOutcome WindowState::saveEntry(const EntryPanelInput& input) {
    const SaveEntryResult result = SaveEntry(input, store_, day_);
    CommandOutcome outcome;
    if (!result.success) {
        outcome.journalIsOwn = true;  // a header kept or a line cut back is no outside change
        outcome.messageId = result.messageId;
        outcome.icon = MessageIcon::Stop;
        return outcome;
    }
    removeEnabled_ = result.removeEnabled;
    outcome.projectToAppend = result.projectToAppend;
    outcome.preset = result.preset;
    outcome.statusText = result.statusText;
    outcome.rescan = true;
    if (store_.settings.automaticMode == 0) {
        outcome.messageId = StringId::EntrySaved;
    }
    return outcome;
}

CommandOutcome WindowState::removeDayEntries() {
    const RemoveResult result = RemoveDayEntries(store_, day_);
    CommandOutcome outcome;
    if (!result.success) {
        outcome.messageId = result.messageId;
        outcome.icon = MessageIcon::Stop;
        return outcome;
    }
    removeEnabled_ = false;
    outcome.statusText = result.statusText;
    outcome.rescan = true;
    outcome.messageId = StringId::EntryRemoved;  // in automatic mode too
    return outcome;
}

CommandOutcome WindowState::undoLastChange() {
    const UndoResult result = UndoLastChange(store_, day_);
    CommandOutcome outcome;
    if (!result.success) {
        outcome.messageId = result.messageId;
        outcome.icon = result.messageId == StringId::NothingToUndo ? MessageIcon::Information
                                                                   : MessageIcon::Stop;
        return outcome;
    }
    outcome.rescan = true;
    if (!platform::FileExists(store_.journalPath)) {
        // The undone save had created the journal: no scan, so the panel shows the empty day.
        outcome.statusText = LoadString(StringId::StatusStart);
        outcome.refreshSummary = true;
    }
    // Undone, but the balance could not be saved: the next start finishes it.
    outcome.messageId = result.messageId;
    outcome.icon = MessageIcon::Stop;
    return outcome;
}

ScanResult WindowState::rescan(QDate date, ScanSink* sink, const QString& journalBefore) {
    const ScanResult result =
        journalBefore.isEmpty() ? RescanJournal(store_, date, day_, month_, sink)
                                : RescanAfterSetup(store_, journalBefore, date, day_, month_, sink);
    removeEnabled_ = result.removeEnabled;
    return result;
}

bool WindowState::isOtherDate(QDate date) const {
    return SelectedDateText(date) != day_.selectedDateText;
}

bool WindowState::startsAutomatically() const {
    return store_.settings.automaticMode != 0 && day_.periodOpen == 0;
}

bool WindowState::stopsAutomatically() const {
    return store_.settings.automaticMode != 0 && day_.periodOpen != 0;
}

bool WindowState::exitAsks() const {
    return day_.periodOpen != 0 && store_.settings.automaticMode == 0;
}

bool WindowState::newMonthAsks() const {
    return NewMonthCheckAsks(month_.newMonthFlag, store_.settings);
}

void WindowState::capBalanceForNewMonth() {
    ApplyNewMonthCap(store_.settings);
    SaveSettings(store_);
}

CommandStates WindowState::commandStates() const {
    return {removeEnabled_, CanUndo(store_)};
}

}  // namespace tallimer
