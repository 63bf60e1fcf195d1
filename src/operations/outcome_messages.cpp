#include "operations/outcome_messages.h"

#include "resources/string_table.h"

namespace tallimer {

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
