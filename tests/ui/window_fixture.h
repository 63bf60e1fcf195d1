#pragma once

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "manual_key_timers.h"
#include "support/device_fixture.h"
#include "ui/commands.h"
#include "ui/day_summary_view.h"
#include "ui/dialog_builder.h"
#include "ui/entry_panel.h"
#include "ui/key_filter.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/toolbar.h"
#include "ui/tray_port.h"

namespace tallimer::test {

// A tray that records what it is shown.
struct FakeTray : TrayPort {
    void setPeriodOpen(bool open) override { periodOpen = open; }
    void setToolTip(const QString& text) override { toolTip = text; }
    void showMessage(const QString& title, const QString& text) override {
        shown.push_back(title + ": " + text);
    }
    void setMenu(QMenu*) override {}

    bool periodOpen = false;
    QString toolTip;
    std::vector<QString> shown;
};

// The device fixture with a recording message answerer and a started, shown and active main
// window with the key filter installed.
class WindowTest : public DeviceTest {
  protected:
    void SetUp() override {
        DeviceTest::SetUp();
        SetMessageAnswerer([this](const ShownMessage& shown) {
            messages.push_back(shown.text);
            return answer;
        });
    }
    void TearDown() override {
        if (window) {
            window->close();
        }
        window.reset();
        keys.reset();
        SetMessageAnswerer(nullptr);
        DeviceTest::TearDown();
    }

    // Runs `inside` once `open` has brought up a modal dialog of type D, then closes it if it
    // is still open; fails when none came up.
    template <typename D>
    void withModal(const std::function<void()>& open, const std::function<void(D*)>& inside) {
        QTimer poll;
        poll.setInterval(0);
        QObject::connect(&poll, &QTimer::timeout, [&poll, inside] {
            auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
            if (dialog == nullptr) {
                return;
            }
            poll.stop();
            inside(dialog);
            if (QApplication::activeModalWidget() == dialog) {
                dialog->reject();  // still open: close it so the test goes on
            }
        });
        poll.start();
        open();
        QCoreApplication::processEvents();
        EXPECT_FALSE(poll.isActive());  // the dialog came up
    }
    std::string daysFile() const {
        std::string text;
        readHandheld(store.daysFilePath, &text);
        return text;
    }

    // Saves `store` as the stored settings and starts the program.
    void start() {
        BuildFilePaths(store);
        ASSERT_TRUE(SaveSettings(store));
        window = std::make_unique<MainWindow>();
        if (withTray) {
            auto port = std::make_unique<FakeTray>();
            tray = port.get();
            window->attachTray(std::move(port));
        }
        keys = std::make_unique<KeyFilter>(window->keyActions(), timers.factory());
        qApp->installEventFilter(keys.get());
        window->startUp();
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QCoreApplication::processEvents();
        // The refresh timer's first tick, which brings the lists to the clock even when
        // there is no journal to scan yet.
        window->refreshDaySummary(false);
    }

    // The same with a journal of the header and `entries`.
    void start(const std::string& entries) {
        writeHandheld(kJournal, kHeader + entries);
        start();
    }

    // Runs the command's action as its toolbar button or menu item does.
    void run(int command) { window->action(command)->trigger(); }

    // Presses a key and releases it after `holdMs`, as a person does, then runs what the key
    // posted.
    void pressKey(QWidget* target, Qt::Key key, int holdMs) {
        QTest::keyPress(target, key);
        timers.advance(holdMs);
        QTest::keyRelease(target, key);
        timers.advance(KeyFilter::kRepeatGraceMs);  // the release is one, not a repeat
        QCoreApplication::processEvents();
    }

    // Closes the window as the platform's close request does.
    void quit() {
        window->close();
        QCoreApplication::processEvents();
    }

    std::unique_ptr<MainWindow> window;
    ManualKeyTimers timers;
    std::unique_ptr<KeyFilter> keys;
    std::vector<QString> messages;
    MessageAnswer answer = MessageAnswer::Ok;
    bool withTray = false;
    FakeTray* tray = nullptr;  // with `withTray`, owned by the window
};

}  // namespace tallimer::test
