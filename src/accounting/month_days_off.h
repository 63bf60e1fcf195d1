#pragma once

#include <QDate>
#include <QString>

#include "accounting/report_tree.h"
#include "model/days_book.h"
#include "model/month_state.h"
#include "model/settings.h"

namespace tallimer {

// Where the month's days off and missing workdays go in the report tree.
struct DaysOffNodes {
    QDate selectedDate;
    int dayNode;    // the selected day's node
    int monthNode;  // the selected month's node
};

// Adds to the report what the days book makes of the selected month: under each day off or
// missing workday (one of the week plan with neither entries nor a day off, up to `today`) a
// node of its date under the month, and under it its kind or " missing"; the same under the
// selected day's node; and the month's totals of days off by kind and of missing workdays.
// Whether a day has entries is read from the month's day table, so the book is looked up a
// day at a time, never a line. Adds nothing for a month without either.
void AddDaysOffNodes(ReportTree& tree, const DaysOffNodes& at, const DaysBook& book,
                     const Settings& settings, const MonthState& month, QDate today);

}  // namespace tallimer
