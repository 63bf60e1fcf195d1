#include "accounting/month_ledger.h"

#include "base/saturating.h"

namespace tallimer {

MonthLedger MonthLedgerOf(const std::vector<LedgerLine>& lines, QDate month) {
    const QDate first(month.year(), month.month(), 1);
    const QDateTime start = first.startOfDay();
    const QDateTime end = first.addMonths(1).startOfDay();
    MonthLedger ledger;
    bool started = false;
    for (const LedgerLine& line : lines) {
        if (line.when >= end) {
            continue;  // a line out of order (a clock set back) still counts where it belongs
        }
        ledger.known = true;
        ledger.atEnd = line.balance;
        if (line.when < start) {
            ledger.carriedOver = line.balance;
            started = true;
            continue;
        }
        if (!started) {
            // The ledger opened within the month: its first line is where the account begins.
            started = true;
            ledger.openedOn = line.when.date();
            ledger.opening = line.balance;
            continue;
        }
        int32_t& sum =
            line.reason == LedgerReason::NewMonthCap ? ledger.cap
            : line.reason == LedgerReason::Setup     ? ledger.setup
            : line.reason == LedgerReason::Correction || line.reason == LedgerReason::Opening
                ? ledger.corrections
                : ledger.credit;
        sum = SatAdd(sum, line.change);
    }
    return ledger;
}

}  // namespace tallimer
