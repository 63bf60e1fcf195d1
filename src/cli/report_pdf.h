#pragma once

#include <QCoreApplication>
#include <QIODevice>
#include <QString>
#include <memory>

namespace tallimer {

// tallimer-report's PDF is made by a module loaded for a PDF run only: QtGui and the libraries
// it pulls in take longer to load than most views take to print.

// Loads the module from where it is installed beside the program; false with `error` set when
// it cannot be loaded.
bool LoadReportPdf(QString& error);
// The PDF run's application, made by the loaded module: a QGuiApplication on the offscreen
// platform, which needs no display.
std::unique_ptr<QCoreApplication> ReportPdfApplication(int& argc, char** argv);
// The timesheet's HTML as a PDF written to `out`; false when no module is loaded.
bool WriteReportPdf(const QString& html, QIODevice& out);

}  // namespace tallimer
