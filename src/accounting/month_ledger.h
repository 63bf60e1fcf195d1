#pragma once

#include <QDate>
#include <cstdint>
#include <optional>
#include <vector>

#include "journal/ledger_text.h"

namespace tallimer {

// A month's balance as the ledger explains it, by when each line was written: the balance at
// the month's start, what moved it within the month, and the balance at its end (or now, in
// the current month). Nothing is known of a month that ended before the ledger's first line.
struct MonthLedger {
    bool known = false;
    std::optional<int32_t> carriedOver;  // none: the ledger opened within the month
    QDate openedOn;                      // then: its first line's day and balance
    int32_t opening = 0;
    int32_t credit = 0;  // Stop, Remove, Edit, undo and days off
    int32_t cap = 0;     // the new-month cap's cut
    int32_t setup = 0;
    int32_t corrections = 0;
    int32_t atEnd = 0;
};

MonthLedger MonthLedgerOf(const std::vector<LedgerLine>& lines, QDate month);

}  // namespace tallimer
