#include "ui/command_line.h"

#include <QCommandLineParser>
#include <QDir>
#include <cstdio>

#include "platform/device_folder.h"
#include "resources/app_info.h"

namespace tallimer {

namespace {

constexpr char kUsage[] = "usage: tallimer [--help] [--version]\n";

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
    "\n"
    "Exit status: 0 closed (or handed over to the Tallimer already running for the folder),\n"
    "2 bad arguments.\n";

// QApplication's own options, which it takes out of the arguments itself.
const QStringList kQtValueOptions = {
    "platform",    "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "session",       "display", "geometry",
    "style",       "stylesheet",         "qmljsdebugger"};
const QStringList kQtFlagOptions = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

}  // namespace

std::optional<int> HandleCommandLine(const QStringList& arguments, QTextStream& out,
                                     QTextStream& err) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{"h", "help"});
    const QCommandLineOption version(QStringList{"v", "version"});
    parser.addOptions({help, version});
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
        return 2;
    }
    if (!parser.positionalArguments().isEmpty()) {
        err << "tallimer: unexpected argument: " << parser.positionalArguments().first() << '\n'
            << kUsage;
        return 2;
    }
    if (parser.isSet(help)) {
        out << kUsage << '\n'
            << QString::fromUtf8(kHelp).arg(QDir::toNativeSeparators(platform::DeviceFolder()));
        return 0;
    }
    if (parser.isSet(version)) {
        out << "Tallimer " << kAppVersion << '\n';
        return 0;
    }
    return std::nullopt;
}

std::optional<int> HandleCommandLine(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    return HandleCommandLine(arguments, out, err);
}

}  // namespace tallimer
