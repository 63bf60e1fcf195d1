#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>
#include <cstdio>
#include <memory>

#include "cli/report_command.h"
#include "cli/report_pdf.h"

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);
    // Only a PDF lays text out, which takes Qt's Gui: its module, and its application on the
    // offscreen platform, so it needs no display. The other views start faster without either.
    char platform[] = "-platform";
    char offscreen[] = "offscreen";
    char* guiArgv[] = {argv[0], platform, offscreen, nullptr};
    int guiArgc = 3;
    std::unique_ptr<QCoreApplication> app;
    if (tallimer::ReportWantsPdf(arguments)) {
        QString error;
        if (!tallimer::LoadReportPdf(error)) {
            err << "tallimer-report: cannot make a PDF: " << error << '\n';
            return 1;
        }
        app = tallimer::ReportPdfApplication(guiArgc, guiArgv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    return tallimer::RunReportCommand(arguments, out, err);
}
