#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

#include "cli/record_writer.h"

namespace tallimer {

extern const char kReportUsage[];
extern const char kReportHelp[];

// What a run of tallimer-report was asked for.
struct ReportOptions {
    std::optional<QDate> date;
    std::optional<QDateTime> now;
    QStringList views;                   // names from the table of views, in the order to print
    std::optional<RecordFormat> format;  // none: text, or HTML or PDF when `html` or `pdf` is set
    bool html = false;
    bool pdf = false;               // the HTML form laid out on pages
    std::optional<QString> output;  // the file to write in place of standard output
    bool help = false;
    bool version = false;
};

// The views --view takes, in the order the help and the messages name them.
struct ViewNames {
    QStringList all;
    QStringList defaults;  // printed without --view
    QStringList records;   // those with a CSV and JSON form
    QStringList html;      // those with an HTML form, and so a PDF
};

// The arguments after the program's name; nullopt with `error` set when they are bad.
std::optional<ReportOptions> ParseReportArguments(const QStringList& arguments,
                                                  const ViewNames& views, QString& error);

}  // namespace tallimer
