#pragma once

#include <QDate>
#include <QTextStream>
#include <optional>
#include <vector>

#include "cli/record_writer.h"
#include "journal/ledger_text.h"

namespace tallimer {

// The ledger's lines written in the month of `month`, or all of them.
std::vector<LedgerLine> LedgerLinesOf(const std::vector<LedgerLine>& lines,
                                      std::optional<QDate> month);

// A line a change: when, the days, the reason, the change and the new balance.
void PrintLedger(QTextStream& out, const std::vector<LedgerLine>& lines);
// One set "ledger": when, from, to, reason, change and balance (minutes).
void WriteLedgerRecords(QTextStream& out, RecordFormat format,
                        const std::vector<LedgerLine>& lines);

}  // namespace tallimer
