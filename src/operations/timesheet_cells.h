#pragma once

#include <QString>
#include <array>
#include <cstdint>

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
// What the carried-over and month-end balances read until the ledger gives them.
inline constexpr char kBalanceNotKnown[] = "not known";

}  // namespace tallimer
