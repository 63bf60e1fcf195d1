#pragma once

#include <vector>

#include "accounting/entry_list.h"
#include "accounting/journal_periods.h"
#include "accounting/report_tree.h"
#include "accounting/week_summary.h"
#include "cli/export_records.h"

namespace tallimer {

// The views as records for CSV and JSON. Times are minutes; dates of the week and the
// periods are ISO 8601 (YYYY-MM-DD), the list's cells are the journal's text.

// "entries": date, time, stop, project; in the list's display order.
RecordSet ListRecords(const EntryList& list);
// "report": depth, text, bold; one per node in display order.
RecordSet ReportRecords(const ReportTree& tree);
// "days" (date, weekday, entries, presence, target, credit, open), "total" (week, presence,
// target, credit) and "projects" (project, minutes).
std::vector<RecordSet> WeekRecords(const WeekSummary& week);
// "periods": date, start, stop, minutes, project, stop_project.
RecordSet PeriodRecords(const std::vector<Period>& periods);

}  // namespace tallimer
