#pragma once

#include <QTextStream>

#include "accounting/journal_periods.h"
#include "accounting/week_summary.h"

namespace tallimer {

// The week as text: a heading with the ISO week and its first and last date, a title line,
// one line per day (date, weekday, presence, target, credit and "open" while a period is
// open), the week's totals and the projects' totals; tab-separated, in the program's time
// forms.
void PrintWeek(QTextStream& out, const WeekSummary& week);

// A title line, then one line per period: date, start, stop (empty while open), the minutes
// the balance counts in the clock form, the project and the Stop's project.
bool PrintPeriods(QTextStream& out, PeriodList& periods, JournalAsRead& journal);

}  // namespace tallimer
