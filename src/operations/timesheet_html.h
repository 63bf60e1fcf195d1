#pragma once

#include <QString>
#include <QTextStream>

#include "accounting/month_sheet.h"
#include "journal/journal_as_read.h"

namespace tallimer {

// The type size of the timesheet's text in points; its headings are in proportion to it.
inline constexpr double kTimesheetBodyPoints = 7;

// The month's timesheet as a complete HTML document to print and sign: a table of the days,
// the totals, the projects, the balance and lines for the signatures of the employee and the
// supervisor. Every text from the journal or the settings goes through Qt's escaping. False
// when reading the periods again from `journal` failed.
bool WriteTimesheetHtml(QTextStream& out, MonthSheetTally& tally, JournalAsRead& journal,
                        const QString& name);

}  // namespace tallimer
