#pragma once

#include <QTextStream>
#include <cstddef>
#include <vector>

#include "accounting/day_summary.h"
#include "accounting/entry_index.h"
#include "accounting/report_tree.h"
#include "operations/tracker.h"

namespace tallimer {

// The window's views as text, a tab between the cells of a line.

// The characters a view that prints a line per record puts together before it hands them to
// the stream.
inline constexpr qsizetype kPrintChunk = 8192;

// The entry panel and toolbar after the scan: status, project box, project list, Remove.
void PrintPanel(QTextStream& out, const Snapshot& panel);
// The day summary's four boxes.
void PrintDay(QTextStream& out, const DaySummaryTexts& texts);
// The column titles, then the rows in display order, read again from `journal`; nothing when
// the scan read no line. False when that read failed.
bool PrintList(QTextStream& out, const EntryIndex& list, JournalAsRead& journal);
// One line per node, indented two blanks a level; a bold node ends with "\t(bold)".
void PrintReport(QTextStream& out, const ReportTree& tree);

}  // namespace tallimer
