#pragma once

#include <QTextStream>

#include "accounting/month_sheet.h"
#include "cli/record_writer.h"
#include "journal/journal_as_read.h"

namespace tallimer {

// The month's timesheet as records: "days" (date, weekday, entries, presence, break, target,
// credit, open, day_off, half, missing), "periods" (date, start, stop, project), "total"
// (month, presence, target, credit, and the balances carried over and at the month's end,
// null until known), "projects" (project, minutes) and "week" (weekday, target). False when
// reading the periods again from `journal` failed.
bool WriteTimesheetRecords(QTextStream& out, RecordFormat format, MonthSheetTally& tally,
                           JournalAsRead& journal);

}  // namespace tallimer
