#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <optional>

#include "journal/ledger_text.h"

namespace tallimer {

// What a change of the balance tells the ledger besides the balances: why, and which days.
struct LedgerNote {
    LedgerReason reason = LedgerReason::Stop;
    QDate from;
    QDate to;  // invalid: the same as `from`
};

// The bytes a change appends to the ledger and the length it appends them at. It is planned
// before the change and kept in the change's intent, so that a start after a crash can finish
// or take back the append together with the balance.
struct LedgerAppend {
    long long at = -1;  // -1: nothing to append
    QByteArray bytes;
    bool operator==(const LedgerAppend&) const = default;
};

// The change's line, after an opening line with the balance before it where the ledger holds
// no line yet, and after a line end where the last line has none (a hand edit). Nothing when the
// balance does not change or the ledger cannot be read (reported: the start's check mends it).
LedgerAppend PlanLedgerAppend(const QString& ledgerPath, const LedgerNote& note, int32_t before,
                              int32_t after, const QDateTime& when);
// Appends the planned bytes, unless the ledger changed since the plan; false when it could not
// (reported).
bool CommitLedgerAppend(const QString& ledgerPath, const LedgerAppend& append);
// After a crash: takes back what of the planned bytes is there and, when `done`, appends them
// whole. A ledger that holds anything else after the planned length is left as it is.
void SettleLedgerAppend(const QString& ledgerPath, const LedgerAppend& append, bool done);

struct LedgerRead {
    LedgerText text;
    int error = 0;  // 0, ENOENT for no ledger yet, else why it could not be read (reported)
};
LedgerRead ReadLedger(const QString& ledgerPath);

// At the window's start: a ledger without a line gets the opening line; one whose last line's
// balance is not `balance` gets a correcting line. The ledger's balance it corrected, if any.
std::optional<int32_t> CheckLedger(const QString& ledgerPath, int32_t balance,
                                   const QDateTime& when);

}  // namespace tallimer
