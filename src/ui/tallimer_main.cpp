#include <QApplication>

#include "resources/string_table.h"
#include "ui/key_filter.h"
#include "ui/main_window.h"
#include "ui/single_instance.h"

int main(int argc, char** argv) {
    using namespace tallimer;
    QApplication app(argc, argv);
    app.setApplicationName(LoadString(StringId::AppTitle));
    app.setApplicationVersion(QStringLiteral("1.3.0.0"));

    // A second start hands over to the first before it reads or writes anything.
    SingleInstance instance;
    if (instance.AskRunningInstanceToRaise()) {
        return 0;
    }

    MainWindow window;
    QObject::connect(
        &window, &MainWindow::shutDown, &app, [] { QCoreApplication::exit(0); },
        Qt::QueuedConnection);
    instance.Listen([&window] { window.BringToFront(); });
    KeyFilter keys(window.KeyActions());
    app.installEventFilter(&keys);

    window.StartUp();
    window.show();
    return app.exec();
}
