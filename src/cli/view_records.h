#pragma once

#include <QTextStream>
#include <cstddef>
#include <vector>

#include "accounting/entry_index.h"
#include "accounting/journal_periods.h"
#include "accounting/report_tree.h"
#include "accounting/week_summary.h"
#include "cli/record_writer.h"

namespace tallimer {

// The views as records for CSV and JSON, written as they are made. Times are minutes; dates
// of the week and the periods are ISO 8601 (YYYY-MM-DD), the list's cells are the journal's
// text.

// "entries": date, time, stop, project; the rows in the list's display order, read again from
// `journal`. False when that read failed.
bool WriteListRecords(QTextStream& out, RecordFormat format, const EntryIndex& list,
                      JournalAsRead& journal);
// "report": depth, text, bold; one per node in display order.
void WriteReportRecords(QTextStream& out, RecordFormat format, const ReportTree& tree);
// "days" (date, weekday, entries, presence, target, credit, open), "total" (week, presence,
// target, credit) and "projects" (project, minutes).
void WriteWeekRecords(QTextStream& out, RecordFormat format, const WeekSummary& week);
// "periods": date, start, stop, minutes, project, stop_project.
bool WritePeriodRecords(QTextStream& out, RecordFormat format, PeriodList& periods,
                        JournalAsRead& journal);

}  // namespace tallimer
