#include "ui/command_line.h"

#include <QCommandLineParser>
#include <QDir>
#include <cstdio>

#include "accounting/time_text.h"
#include "journal/days_text.h"
#include "platform/device_folder.h"
#include "platform/holiday_calendar.h"
#include "resources/app_info.h"

namespace tallimer {

namespace {

constexpr char kUsage[] =
    "usage: tallimer [--help] [--version]\n"
    "       tallimer --day-off FROM[..TO] vacation|sick|holiday|flexday [--half]\n"
    "       tallimer --clear-day-off FROM[..TO]\n"
    "       tallimer --import-holidays FILE.ics\n";

constexpr char kHelp[] =
    "Tallimer, a personal work-time tracker: it records when work starts and stops in a\n"
    "plain-text journal and keeps the day's presence, its credit against a daily target and a\n"
    "flexitime balance.\n"
    "\n"
    "Data folder: %1\n"
    "  (TALLIMER_HOME when set, otherwise $XDG_DATA_HOME/Tallimer; the journal is\n"
    "  files/My Documents/Tallimer.txt below it unless Setup names another folder)\n"
    "\n"
    "Keys                    short press              held 500 ms\n"
    "  Enter, Return, F23    next field               save the entry (Start or Stop)\n"
    "  Esc, F24              About (\"Ende\" exits)     remove the selected day's entries\n"
    "  Up, Down              step the hour or minute\n"
    "  Ctrl+Z                undo the last Save Entry or Remove, once\n"
    "\n"
    "Options:\n"
    "  -h, --help     print this help\n"
    "  -v, --version  print the version\n"
    "  --day-off FROM[..TO] KIND [--half]\n"
    "                 mark a day off (KIND vacation, sick, holiday or flexday), whole or half;\n"
    "                 a range (dates YYYY/MM/DD, TO included) marks only its workdays\n"
    "  --clear-day-off FROM[..TO]\n"
    "                 clear the days off of every date of the range\n"
    "  --import-holidays FILE.ics\n"
    "                 mark the calendar's all-day dates that are workdays as holidays\n"
    "  The three change the days file and the balance, through the Tallimer running for the\n"
    "  folder if there is one, and print the balance: \"Flexitime in total: + 01:30\".\n"
    "\n"
    "Exit status: 0 closed (or handed over to the Tallimer already running for the folder)\n"
    "or days off changed, 1 the days off could not be changed, 2 bad arguments.\n";

// QApplication's own options, which it takes out of the arguments itself.
const QStringList kQtValueOptions = {
    "platform",    "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "session",       "display", "geometry",
    "style",       "stylesheet",         "qmljsdebugger"};
const QStringList kQtFlagOptions = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

CommandLineAction Exit(int code) {
    CommandLineAction action;
    action.exitCode = code;
    return action;
}

// The days-off options.
struct DaysOptions {
    QCommandLineOption dayOff{QStringLiteral("day-off"), QString(), QStringLiteral("range")};
    QCommandLineOption clear{QStringLiteral("clear-day-off"), QString(), QStringLiteral("range")};
    QCommandLineOption importCalendar{QStringLiteral("import-holidays"), QString(),
                                      QStringLiteral("file")};
    QCommandLineOption half{QStringLiteral("half")};
};

// "FROM" or "FROM..TO" into the request; false with `error` set when it is no range.
bool TakeRange(const QString& text, DayOffRequest& request, QString& error) {
    const qsizetype dots = text.indexOf(QStringLiteral(".."));
    const QString fromText = dots < 0 ? text : text.left(dots);
    const QString toText = dots < 0 ? text : text.mid(dots + 2);
    for (const QString& date : {fromText, toText}) {
        if (!DateOfText(date)) {
            error = QStringLiteral("not a date YYYY/MM/DD: %1").arg(date);
            return false;
        }
    }
    request.from = *DateOfText(fromText);
    request.to = *DateOfText(toText);
    if (request.to < request.from) {
        error = QStringLiteral("%1 is before %2").arg(toText, fromText);
        return false;
    }
    return true;
}

// The calendar's dates as an import request; false with `error` set (the reader's text) when
// the file cannot be used.
bool TakeCalendar(const QString& path, DayOffRequest& request, QString& error) {
    const platform::HolidayRead read = platform::ReadHolidayCalendar(path);
    if (!read.error.isEmpty()) {
        error = read.error;
        return false;
    }
    for (const platform::Holiday& holiday : read.holidays) {
        request.holidays.push_back(holiday.date);
    }
    return true;
}

// The days-off request the options ask for, or none; false with `error` set when it is bad.
bool TakeDaysRequest(const QCommandLineParser& parser, const DaysOptions& options,
                     std::optional<DayOffRequest>& request, QString& error) {
    const QStringList positional = parser.positionalArguments();
    int given = 0;
    for (const QCommandLineOption* option :
         {&options.dayOff, &options.clear, &options.importCalendar}) {
        given += int(parser.values(*option).size());
    }
    if (given > 1) {
        error = QStringLiteral("give one of --day-off, --clear-day-off, --import-holidays");
        return false;
    }
    if (parser.isSet(options.dayOff)) {
        const std::optional<DayOffKind> kind =
            positional.size() == 1 ? DayOffKindNamed(positional.first().toStdString())
                                   : std::nullopt;
        if (!kind) {
            error = QStringLiteral("--day-off needs one kind: vacation, sick, holiday or flexday");
            return false;
        }
        request.emplace();
        request->kind = *kind;
        request->half = parser.isSet(options.half);
        return TakeRange(parser.value(options.dayOff), *request, error);
    }
    if (parser.isSet(options.half)) {
        error = QStringLiteral("--half needs --day-off");
    } else if (!positional.isEmpty()) {
        error = QStringLiteral("unexpected argument: %1").arg(positional.first());
    }
    if (!error.isEmpty() || given == 0) {
        return error.isEmpty();
    }
    request.emplace();
    if (parser.isSet(options.clear)) {
        request->action = DayOffRequest::Action::Clear;
        return TakeRange(parser.value(options.clear), *request, error);
    }
    request->action = DayOffRequest::Action::Import;
    return TakeCalendar(parser.value(options.importCalendar), *request, error);
}

}  // namespace

CommandLineAction HandleCommandLine(const QStringList& arguments, QTextStream& out,
                                    QTextStream& err) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{"h", "help"});
    const QCommandLineOption version(QStringList{"v", "version"});
    const DaysOptions days;
    parser.addOptions({help, version, days.dayOff, days.clear, days.importCalendar, days.half});
    for (const QString& name : kQtValueOptions) {
        QCommandLineOption option(name, QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const QString& name : kQtFlagOptions) {
        QCommandLineOption option(name);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    if (!parser.parse(QStringList{QStringLiteral("tallimer")} + arguments)) {
        err << "tallimer: " << parser.errorText() << '\n' << kUsage;
        return Exit(2);
    }
    if (parser.isSet(help)) {
        out << kUsage << '\n'
            << QString::fromUtf8(kHelp).arg(QDir::toNativeSeparators(platform::DeviceFolder()));
        return Exit(0);
    }
    if (parser.isSet(version)) {
        out << "Tallimer " << kAppVersion << '\n';
        return Exit(0);
    }
    CommandLineAction action;
    QString error;
    if (!TakeDaysRequest(parser, days, action.daysOff, error)) {
        err << "tallimer: " << error << '\n' << kUsage;
        return Exit(2);
    }
    return action;
}

CommandLineAction HandleCommandLine(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    return HandleCommandLine(arguments, out, err);
}

}  // namespace tallimer
