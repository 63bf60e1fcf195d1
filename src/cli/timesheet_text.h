#pragma once

#include <QString>
#include <QTextStream>

#include "accounting/month_sheet.h"
#include "journal/journal_as_read.h"

namespace tallimer {

// The month's timesheet as plain text in aligned columns within 100 characters: a heading
// with the month, the name and the working week, a line per day (a further line per further
// period), the totals, the projects and the balance. False when reading the periods again
// from `journal` failed.
bool PrintTimesheet(QTextStream& out, MonthSheetTally& tally, JournalAsRead& journal,
                    const QString& name);

}  // namespace tallimer
