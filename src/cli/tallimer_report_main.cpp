#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>
#include <cstdio>

#include "cli/report_command.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);
    return tallimer::RunReportCommand(app.arguments().mid(1), out, err);
}
