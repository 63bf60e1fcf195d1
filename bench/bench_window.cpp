// Speed of the window: start-up to the first painted main window, and a rescan of the entry
// list view with its widgets filled. script/bench-window drives the three modes:
//   bench_window prepare LINES VIEWKIND   writes a device folder (TALLIMER_HOME)
//   bench_window startup                  prints the wall-clock time of the first paint
//   bench_window list-rescan              prints the median time of list rescans
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTreeView>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "journal_generator.h"
#include "operations/settings_store.h"
#include "platform/device_folder.h"
#include "ui/entry_list_view.h"
#include "ui/key_filter.h"
#include "ui/main_window.h"
#include "ui/single_instance.h"

namespace {

using namespace tallimer;

int Prepare(int lines, int viewKind) {
    SettingsStore store;
    store.settings.breakPerDay = 30;
    store.settings.targetPerDay = 480;
    store.settings.minuteUnit = 5;
    store.settings.viewKind = viewKind;
    BuildFilePaths(store);
    if (!SaveSettings(store)) {
        return 1;
    }
    const QString path = platform::HostPath(store.journalPath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    const std::string bytes = bench::GenerateJournal(lines);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size())) {
        return 1;
    }
    return 0;
}

// Ends the program at the main window's first paint, printing when that was.
class FirstPaint : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            std::printf("first-paint-epoch-ms %lld\n",
                        static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
            QMetaObject::invokeMethod(
                qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
            watched->removeEventFilter(this);
        }
        return false;
    }
};

// The start-up of the program itself, as its main() runs it.
int StartUp(QApplication& app) {
    SingleInstance instance;
    if (instance.askRunningInstanceToRaise()) {
        return 1;
    }
    MainWindow window;
    instance.listen([&window](const QByteArray& token) { window.bringToFront(token); });
    KeyFilter keys(window.keyActions());
    app.installEventFilter(&keys);
    FirstPaint firstPaint;
    window.installEventFilter(&firstPaint);
    window.startUp();
    window.show();
    return app.exec();
}

int ListRescans() {
    MainWindow window;
    window.startUp();
    window.show();
    auto* list = qobject_cast<EntryListView*>(window.viewWindow());
    if (list == nullptr) {
        return 1;
    }
    std::vector<double> times;
    for (int i = 0; i < 7; ++i) {
        QElapsedTimer timer;
        timer.start();
        window.rescanJournal();
        list->listControl()->viewport()->repaint();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("list-rescan-ms %.1f (rows %d)\n", times[times.size() / 2],
                list->listControl()->model()->rowCount());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode == u"prepare" && argc == 4) {
        QCoreApplication app(argc, argv);
        return Prepare(std::atoi(argv[2]), std::atoi(argv[3]));
    }
    QApplication app(argc, argv);
    if (mode == u"startup") {
        return StartUp(app);
    }
    if (mode == u"list-rescan") {
        return ListRescans();
    }
    std::fprintf(stderr, "usage: bench_window prepare LINES VIEWKIND | startup | list-rescan\n");
    return 2;
}
