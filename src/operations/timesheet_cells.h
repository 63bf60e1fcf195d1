#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "accounting/day_tally.h"
#include "accounting/month_sheet.h"

namespace tallimer {

// The texts the timesheet's text and HTML forms share.

// "08:00-12:00 Alpha"; a period still open shows its start only, padded when `aligned` so
// that the project stands where a whole period's does.
QString SheetPeriodText(const SheetPeriod& period, bool aligned);
// The day off as the week view names it ("vacation half"), "missing", or empty.
QString SheetDayKindText(const TalliedDay& day);
// "Mon 8:00  Tue 8:00 ..." of the working week in force.
QString SheetWeekText(const std::array<int32_t, 7>& week);
// "2026/12", the month's heading.
QString SheetMonthText(const MonthSheet& sheet);
// What the carried-over and month-end balances read where the ledger does not reach the month.
inline constexpr char kBalanceNotKnown[] = "not known";

// The balance's rows, label and value: from the ledger where it reaches the month, else the
// balances "not known" around the sheet's own credit.
std::vector<std::pair<QString, QString>> SheetBalanceRows(const MonthSheet& sheet);

}  // namespace tallimer
