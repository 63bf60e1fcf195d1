#pragma once

#include <functional>

#include "journal/journal.h"
#include "model/days_book.h"
#include "operations/settings_store.h"

namespace tallimer {

enum class DaysOutcome {
    Changed,
    ChangedBalanceNotSaved,  // the days file and the balance changed; the balance's save failed
    Unchanged,               // the edit left the book as it was
    DatabaseError,           // nothing changed
};

using DaysEdit = std::function<void(DaysBook&)>;

// Changes the days off and week plans by `edit` and books the change of every day's credit
// it touches into the balance (new credit less old), in one transaction with the days file
// (Tallimer.intent), holding the journal as a writer meanwhile so no Save or Remove runs. The
// last Save or Remove can no longer be undone after it: its booking was made under the old
// terms.
// `reason` is what the ledger's line names.
DaysOutcome ChangeDays(const Journal& journal, SettingsStore& store, const DaysEdit& edit,
                       LedgerReason reason = LedgerReason::DayOff);

}  // namespace tallimer
