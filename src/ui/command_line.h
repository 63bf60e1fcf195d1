#pragma once

#include <QStringList>
#include <QTextStream>
#include <optional>

#include "operations/day_off_request.h"

namespace tallimer {

// What the command line asks for: an exit code to end with, a days-off change to run, or
// (neither) the window.
struct CommandLineAction {
    std::optional<int> exitCode;
    std::optional<DayOffRequest> daysOff;
};

// The window program's options, read before any window exists so they work without a display:
// --help and --version print and end with 0, an unknown option, an argument or a bad days-off
// request prints the usage to `err` and ends with 2 (--import-holidays reads its calendar
// here). `arguments` excludes the program name; Qt's own options (-platform, -style, ...) are
// let through for QApplication.
CommandLineAction HandleCommandLine(const QStringList& arguments, QTextStream& out,
                                    QTextStream& err);

// The same for main's argc and argv, on standard output and standard error.
CommandLineAction HandleCommandLine(int argc, char** argv);

}  // namespace tallimer
