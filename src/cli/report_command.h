#pragma once

#include <QStringList>
#include <QTextStream>

namespace tallimer {

// tallimer-report: reads the device folder as the program does at start-up, scans the journal
// for the selected date and prints what the chosen views show. Returns the exit status:
// 0 done, 1 the journal cannot be opened, 2 bad arguments.
int RunReportCommand(const QStringList& arguments, QTextStream& out, QTextStream& err);

}  // namespace tallimer
