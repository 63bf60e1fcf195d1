#pragma once

#include <QStringList>
#include <QTextStream>
#include <optional>

namespace tallimer {

// The window program's options, read before any window exists so they work without a display:
// --help and --version print and end with 0, an unknown option or an argument prints the
// usage to `err` and ends with 2. nullopt: start the window. `arguments` excludes the program
// name; Qt's own options (-platform, -style, ...) are let through for QApplication.
std::optional<int> HandleCommandLine(const QStringList& arguments, QTextStream& out,
                                     QTextStream& err);

// The same for main's argc and argv, on standard output and standard error.
std::optional<int> HandleCommandLine(int argc, char** argv);

}  // namespace tallimer
