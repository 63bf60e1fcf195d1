#include <QApplication>

#include "platform/session_signals.h"
#include "platform/termination_signals.h"
#include "platform/tray_host_watcher.h"
#include "resources/app_info.h"
#include "resources/string_table.h"
#include "ui/activation_token.h"
#include "ui/command_line.h"
#include "ui/day_off_command.h"
#include "ui/fixed_size_guard.h"
#include "ui/key_filter.h"
#include "ui/main_window.h"
#include "ui/single_instance.h"
#include "ui/tray_port.h"

int main(int argc, char** argv) {
    using namespace tallimer;
    const CommandLineAction action = HandleCommandLine(argc, argv);
    if (action.exitCode) {
        return *action.exitCode;
    }
    if (action.daysOff) {
        // No window and no display: the change is applied here or by the running window.
        const QCoreApplication app(argc, argv);
        return RunDayOffCommand(*action.daysOff);
    }
    QApplication app(argc, argv);
    app.setApplicationName(LoadString(StringId::AppTitle));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kAppId));
    app.setApplicationVersion(QString::fromLatin1(kAppVersion));
    FixedSizeGuard fixedSizes;
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        app.installEventFilter(&fixedSizes);
    }

    // A second start hands over to the first before it reads or writes anything.
    SingleInstance instance;
    if (!instance.lock()) {
        instance.askRunningInstanceToRaise(LaunchActivationToken());
        return 0;
    }

    MainWindow window;
    QObject::connect(
        &window, &MainWindow::shutDown, &app, [] { QCoreApplication::exit(0); },
        Qt::QueuedConnection);
    instance.listen([&window](const QByteArray& token) { window.bringToFront(token); },
                    [&window](QByteArrayView request) { return window.changeDaysOff(request); });
    // The tray, now or when a panel started after the program offers one.
    platform::TrayHostWatcher trayHosts;
    AttachSystemTray(trayHosts, [&window](std::unique_ptr<TrayPort> tray) {
        // The window may be hidden in the tray: the program ends through the shutdown only.
        QApplication::setQuitOnLastWindowClosed(false);
        window.attachTray(std::move(tray));
    });
    // The screen lock and suspend, for automatic mode; without a bus nothing is told.
    window.attachSession(std::make_unique<platform::SessionSignals>());
    // The session's end, by a signal or by the session manager's quit, is a close request:
    // the shutdown (automatic Stop, settings) runs and the exit code is 0.
    const platform::TerminationSignals endSignals([&window] { window.close(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, [&window] { window.close(); });
    KeyFilter keys(window.keyActions());
    app.installEventFilter(&keys);

    window.startUp();
    window.show();
    return app.exec();
}
