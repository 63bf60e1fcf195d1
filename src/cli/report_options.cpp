#include "cli/report_options.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include "accounting/time_text.h"

namespace tallimer {

const char kReportUsage[] =
    "usage: tallimer-report [--date YYYY/MM/DD] [--now \"YYYY/MM/DD HH:MM\"] "
    "[--view panel|day|list|report|week|periods|timesheet|ledger]\n"
    "       [--format text|csv|json|html|pdf] [--output FILE] [--help] [--version]\n";

const char kReportHelp[] =
    "Prints what Tallimer's views show for a date, from the journal of the device folder\n"
    "(TALLIMER_HOME, by default ~/.local/share/Tallimer).\n"
    "\n"
    "  --date YYYY/MM/DD        the selected date (default: the date of --now)\n"
    "  --now \"YYYY/MM/DD HH:MM\" the clock (default: the real clock)\n"
    "  --view VIEW              panel, day, list or report (default: all four);\n"
    "                           week: the ISO week of the date, a line per day, totals and\n"
    "                           projects; periods: every period of the journal;\n"
    "                           timesheet: the month of the date, a line per day, to sign;\n"
    "                           ledger: every change of the balance (with --date, those\n"
    "                           written in the date's month)\n"
    "  --format FORMAT          text (default), csv (RFC 4180, CRLF) or json; csv and json\n"
    "                           for the views list, report, week, periods, timesheet and\n"
    "                           ledger; html (a document to print) and pdf (its pages, on A4\n"
    "                           or, in a US locale, Letter) for the timesheet\n"
    "  --output FILE            write to FILE instead of standard output, replacing it only\n"
    "                           once the run succeeded; a PDF needs it on a terminal\n"
    "  --version                print the version\n"
    "\n"
    "Exit status: 0 done, 1 the journal cannot be opened, FILE cannot be written or the\n"
    "PDF cannot be made, 2 bad arguments.\n";

namespace {

const QStringList kValueOptions = {"date", "now", "view", "format", "output"};
const QStringList kFlags = {"help", "version"};

// Finds what this program does not take, so that the message names it as written: any
// argument that is no option (QCommandLineParser would take it as positional, and a lone
// "--" as the end of the options), an unknown option, "-h" run together with anything.
// A flag's "=value" is dropped, as the flag takes none. The values of options are left alone.
std::optional<QStringList> Screen(const QStringList& arguments, QString& unknown) {
    QStringList screened;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const QString name =
            argument.startsWith(u"--") ? argument.mid(2).section(u'=', 0, 0) : QString();
        if (kValueOptions.contains(name)) {
            screened << argument;
            if (!argument.contains(u'=') && i + 1 < arguments.size()) {
                screened << arguments[++i];
            }
        } else if (kFlags.contains(name)) {
            screened << QStringLiteral("--") + name;
        } else if (argument == u"-h") {
            screened << argument;
        } else {
            unknown = argument;
            return std::nullopt;
        }
    }
    return screened;
}

// The join of the messages: "a, b, c or d".
QString OrList(const QStringList& names) {
    if (names.size() < 2) {
        return names.join(u", ");
    }
    return names.mid(0, names.size() - 1).join(u", ") + QStringLiteral(" or ") + names.last();
}

// The values of the options that take one; false with `error` set at the first bad one.
bool TakeValues(const QCommandLineParser& parser, const ViewNames& views, ReportOptions& options,
                QString& error) {
    if (parser.isSet(QStringLiteral("date"))) {
        const QString value = parser.value(QStringLiteral("date"));
        options.date = DateOfText(value);
        if (!options.date) {
            error = QStringLiteral("not a date YYYY/MM/DD: %1").arg(value);
            return false;
        }
    }
    if (parser.isSet(QStringLiteral("now"))) {
        const QString value = parser.value(QStringLiteral("now"));
        options.now = QDateTime::fromString(value, QStringLiteral("yyyy/MM/dd HH:mm"));
        // Its date as --date takes one, so a signed year is refused here too.
        if (!options.now->isValid() || !DateOfText(value.left(10))) {
            error = QStringLiteral("not a time \"YYYY/MM/DD HH:MM\": %1").arg(value);
            return false;
        }
    }
    if (parser.isSet(QStringLiteral("view"))) {
        const QString value = parser.value(QStringLiteral("view"));
        if (!views.all.contains(value)) {
            error = QStringLiteral("not a view (%1): %2").arg(views.all.join(u", "), value);
            return false;
        }
        options.views = {value};
    }
    if (parser.isSet(QStringLiteral("format"))) {
        const QString value = parser.value(QStringLiteral("format"));
        if (value == u"csv") {
            options.format = RecordFormat::Csv;
        } else if (value == u"json") {
            options.format = RecordFormat::Json;
        } else if (value == u"html") {
            options.html = true;
        } else if (value == u"pdf") {
            options.pdf = true;
        } else if (value != u"text") {
            error = QStringLiteral("not a format (text, csv, json, html, pdf): %1").arg(value);
            return false;
        }
    }
    if (parser.isSet(QStringLiteral("output"))) {
        options.output = parser.value(QStringLiteral("output"));
        if (options.output->isEmpty()) {
            error = QStringLiteral("--output needs a file");
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<ReportOptions> ParseReportArguments(const QStringList& arguments,
                                                  const ViewNames& views, QString& error) {
    QString unknown;
    const std::optional<QStringList> screened = Screen(arguments, unknown);
    if (!screened) {
        error = QStringLiteral("unknown argument: %1").arg(unknown);
        return std::nullopt;
    }
    QCommandLineParser parser;
    for (const QString& name : kValueOptions) {
        parser.addOption(QCommandLineOption(name, QString(), name));
    }
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
    parser.addOption(QCommandLineOption(QStringLiteral("version")));
    // Screened, the arguments can only lack the value of their last option.
    if (!parser.parse(QStringList{QStringLiteral("tallimer-report")} + *screened)) {
        error = QStringLiteral("%1 needs a value").arg(screened->last().section(u'=', 0, 0));
        return std::nullopt;
    }

    ReportOptions options;
    options.views = views.defaults;
    options.help = parser.isSet(QStringLiteral("help"));
    options.version = parser.isSet(QStringLiteral("version"));
    if (!TakeValues(parser, views, options, error)) {
        return std::nullopt;
    }
    // The panel and the day summary are a handful of texts, not records.
    if (!options.help && !options.version && options.format &&
        (options.views.size() != 1 || !views.records.contains(options.views[0]))) {
        error = QStringLiteral("--format %1 needs --view %2")
                    .arg(parser.value(QStringLiteral("format")), OrList(views.records));
        return std::nullopt;
    }
    if (!options.help && !options.version && (options.html || options.pdf) &&
        (options.views.size() != 1 || !views.html.contains(options.views[0]))) {
        error = QStringLiteral("--format %1 needs --view %2")
                    .arg(parser.value(QStringLiteral("format")), OrList(views.html));
        return std::nullopt;
    }
    return options;
}

}  // namespace tallimer
