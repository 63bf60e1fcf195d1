#include "operations/outcome_messages.h"

#include "accounting/time_text.h"
#include "journal/journal_line.h"
#include "resources/string_table.h"

namespace tallimer {

namespace {
// A day, or the first and last of several.
QString DaysText(QDate from, QDate to) {
    const QString first = SelectedDateText(from);
    return to.isValid() && to != from ? first + u'\u2013' + SelectedDateText(to) : first;
}

int UndoneTextId(const UndoneChange& undone) {
    switch (undone.reason.value_or(LedgerReason::Opening)) {
        case LedgerReason::Remove:
            return StringId::UndoneRemove;
        case LedgerReason::Edit:
            return StringId::UndoneEditDay;
        case LedgerReason::DayOff:
            return StringId::UndoneDayOff;
        case LedgerReason::Holidays:
            return StringId::UndoneHolidays;
        case LedgerReason::WorkingWeek:
            return StringId::UndoneWorkingWeek;
        case LedgerReason::DaysFile:
            return StringId::UndoneDaysFile;
        default:
            break;
    }
    // A record of an older build names no reason; only a Remove replaced the journal then.
    return undone.kind == UndoKind::Replace && undone.from.isValid() ? StringId::UndoneRemove
                                                                     : StringId::Undone;
}
}  // namespace

QString UndoneText(const UndoneChange& undone) {
    if (undone.kind == UndoKind::Append && !undone.line.empty()) {
        const int32_t time = EntryTime(undone.line);
        return LoadString(IsStopLine(undone.line) ? StringId::UndoneStop : StringId::UndoneStart)
            .arg(TimeOfDayText(time));
    }
    const int id = UndoneTextId(undone);
    const QString text = LoadString(id);
    return text.contains(QLatin1String("%1")) ? text.arg(DaysText(undone.from, undone.to)) : text;
}

int MessageOf(SaveOutcome outcome) {
    switch (outcome) {
        case SaveOutcome::NotLater:
            return StringId::NotLaterRefusal;
        case SaveOutcome::DatabaseError:
            return StringId::DatabaseError;
        case SaveOutcome::Saved:
            break;
    }
    return 0;
}

int MessageOf(RemoveOutcome outcome) {
    return outcome == RemoveOutcome::DatabaseError ? StringId::DatabaseError : 0;
}

int MessageOf(UndoOutcome outcome) {
    switch (outcome) {
        case UndoOutcome::NothingToUndo:
            return StringId::NothingToUndo;
        case UndoOutcome::JournalGone:
            return StringId::UndoJournalGone;
        case UndoOutcome::JournalChanged:
            return StringId::UndoJournalChanged;
        case UndoOutcome::DaysChanged:
            return StringId::UndoDaysChanged;
        case UndoOutcome::UndoneBalanceNotSaved:  // undone, but the balance is not on disk
        case UndoOutcome::DatabaseError:
            return StringId::DatabaseError;
        case UndoOutcome::Undone:
            break;
    }
    return 0;
}

int MessageOf(DaysOutcome outcome) {
    switch (outcome) {
        case DaysOutcome::ChangedBalanceNotSaved:  // changed, but the balance is not on disk
        case DaysOutcome::DatabaseError:
            return StringId::DatabaseError;
        case DaysOutcome::Changed:
        case DaysOutcome::Unchanged:
            break;
    }
    return 0;
}

int MessageOf(EditDayOutcome outcome) {
    switch (outcome) {
        case EditDayOutcome::TimeOutOfRange:
            return StringId::EditDayBadTime;
        case EditDayOutcome::NotInOrder:
            return StringId::EditDayNotInOrder;
        case EditDayOutcome::NotAlternating:
            return StringId::EditDayNotAlternating;
        case EditDayOutcome::JournalChanged:
        case EditDayOutcome::NoEntries:  // it had entries when the editor opened
            return StringId::EditDayJournalChanged;
        case EditDayOutcome::DatabaseError:
            return StringId::DatabaseError;
        case EditDayOutcome::Edited:
            break;
    }
    return 0;
}

}  // namespace tallimer
