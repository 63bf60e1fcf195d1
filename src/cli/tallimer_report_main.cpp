#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>
#include <QTextStream>
#include <cstdio>
#include <memory>

#include "cli/report_command.h"

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    // Only a PDF lays text out, which takes Qt's Gui: then on the offscreen platform, so it
    // needs no display. The other views start faster without any.
    char platform[] = "-platform";
    char offscreen[] = "offscreen";
    char* guiArgv[] = {argv[0], platform, offscreen, nullptr};
    int guiArgc = 3;
    std::unique_ptr<QCoreApplication> app;
    if (tallimer::ReportWantsPdf(arguments)) {
        app = std::make_unique<QGuiApplication>(guiArgc, guiArgv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);
    return tallimer::RunReportCommand(arguments, out, err);
}
