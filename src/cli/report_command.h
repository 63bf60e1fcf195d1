#pragma once

#include <QStringList>
#include <QTextStream>

namespace tallimer {

// tallimer-report: reads the device folder as the program does at start-up, scans the journal
// for the selected date and prints what the chosen views show. Returns the exit status:
// 0 done, 1 the journal cannot be opened, 2 bad arguments.
// With --output FILE the views go to FILE instead of `out`; 1 also when FILE cannot be
// written. A PDF is written to the device of `out` (never a terminal's), by the module the
// caller loaded (LoadReportPdf).
int RunReportCommand(const QStringList& arguments, QTextStream& out, QTextStream& err);
// Whether the arguments ask for a PDF, which lays text out: the run then needs a
// QGuiApplication, which the other views do without.
bool ReportWantsPdf(const QStringList& arguments);

}  // namespace tallimer
