// tallimer-report's PDF module (cli/report_pdf.h loads it): the only part of the program that
// needs QtGui, which it links.
#include <QGuiApplication>

#include "operations/timesheet_pdf.h"

extern "C" {

Q_DECL_EXPORT QCoreApplication* TallimerPdfApplication(int* argc, char** argv) {
    return new QGuiApplication(*argc, argv);
}

Q_DECL_EXPORT void TallimerWritePdf(const QString* html, QIODevice* out) {
    tallimer::WriteTimesheetPdf(*html, *out);
}

}  // extern "C"
