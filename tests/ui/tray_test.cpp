#include <QtTest/qtestspontaneevent.h>
#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <algorithm>
#include <vector>

#include "operations/desktop_preferences_store.h"
#include "ui/icon_contrast.h"
#include "ui/setup_dialog.h"
#include "ui/tray.h"
#include "window_fixture.h"

namespace tallimer::test {
namespace {

class TrayWindow : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        withTray = true;
    }
    QString saveItem() const { return window->action(IDM_SAVE)->text(); }
    // The close box: the window system's event, spontaneous (sendEvent would clear the flag).
    void pressCloseBox() {
        QCloseEvent closeBox;
        QSpontaneKeyEvent::setSpontaneous(&closeBox);
        static_cast<QObject*>(window.get())->event(&closeBox);
    }
    // The tooltip made of the texts the day summary shows.
    QString summaryToolTip() const {
        auto* view = qobject_cast<DaySummaryView*>(window->viewWindow());
        return "Tallimer\nPresence: " + view->valueLabel(IDC_SUMMARY_PRESENCE)->text() +
               "\nCredit: " + view->valueLabel(IDC_SUMMARY_CREDIT)->text() +
               "\nFlexitime in total: " + view->valueLabel(IDC_SUMMARY_FLEXITIME)->text();
    }
    void tickAt(QDate date, QTime time) {
        platform::SetClock(QDateTime(date, time));
        window->refreshDaySummary(false);
    }
};

TEST_F(TrayWindow, IconTooltipAndSaveItemFollowSaveRemoveRescanAndADayChange) {
    start(
        "2004/01/22 08:00\tA\r\n"
        "2004/01/23 08:00\tA\r\n2004/01/23\t12:00\tA\r\n"
        "2004/01/24 00:00\tB\r\n");
    EXPECT_FALSE(tray->periodOpen);
    EXPECT_EQ(saveItem(), "Save Entry: Start");
    EXPECT_TRUE(tray->toolTip.contains("Presence: = 04:00"));

    run(IDM_SAVE);
    EXPECT_EQ(messages, std::vector<QString>{"Entry saved"});
    EXPECT_TRUE(tray->periodOpen);
    EXPECT_TRUE(window->action(IDM_UNDO)->isEnabled());
    EXPECT_EQ(saveItem(), "Save Entry: Stop");
    tickAt(QDate(2004, 1, 23), QTime(14, 0));
    EXPECT_EQ(tray->toolTip, summaryToolTip());

    run(IDM_REMOVE);
    EXPECT_FALSE(tray->periodOpen);
    EXPECT_EQ(saveItem(), "Save Entry: Start");
    window->entryPanel()->date()->setDate(QDate(2004, 1, 22));  // a rescan of an open day
    EXPECT_TRUE(tray->periodOpen);
    window->entryPanel()->date()->setDate(QDate(2004, 1, 23));
    EXPECT_FALSE(tray->periodOpen);
    tickAt(QDate(2004, 1, 23), QTime(23, 59));
    tickAt(QDate(2004, 1, 24), QTime(0, 5));  // the new day's period, opened elsewhere
    EXPECT_TRUE(tray->periodOpen);
    EXPECT_EQ(tray->toolTip, summaryToolTip());
}

// The menu's items and the toolbar's buttons are the window's actions, which they follow.
TEST_F(TrayWindow, MenuItemsRunTheCommandsAndAClickRaisesTheWindow) {
    start("2004/01/23 08:00\tA\r\n");
    const int menu[] = {IDM_SAVE,
                        IDM_UNDO,
                        IDM_DAY_OFF,
                        IDM_IMPORT_HOLIDAYS,
                        IDM_WORKING_WEEK,
                        IDM_EDIT_DAY,
                        IDM_TIMESHEET,
                        0,
                        IDM_START_WITH_SESSION,
                        IDM_STOP_WHILE_LOCKED,
                        0,
                        IDM_VIEW_DAY,
                        IDM_VIEW_LIST,
                        IDM_VIEW_REPORT,
                        0,
                        IDM_SETTINGS,
                        IDM_ABOUT,
                        0,
                        IDM_EXIT};
    // The window's context menu holds the same, for F10 and the Menu key, and then the zoom.
    const QList<QAction*> items = window->tray()->menu()->actions();
    const QList<QAction*> context = window->actions();
    ASSERT_EQ(items.size(), qsizetype(std::size(menu)));
    ASSERT_EQ(context.size(), qsizetype(std::size(menu)) + 4);
    EXPECT_EQ(context.mid(context.size() - 3),
              (QList<QAction*>{window->action(IDM_ZOOM_IN), window->action(IDM_ZOOM_OUT),
                               window->action(IDM_ZOOM_RESET)}));
    for (size_t i = 0; i < std::size(menu); ++i) {
        EXPECT_TRUE(menu[i] == 0 ? items[i]->isSeparator() : items[i] == window->action(menu[i]));
        EXPECT_TRUE(menu[i] == 0 ? context[i]->isSeparator() : context[i] == items[i]);
        if (QToolButton* button = window->toolbar()->button(menu[i])) {
            EXPECT_EQ(button->defaultAction(), window->action(menu[i]));
        }
    }
    EXPECT_EQ(window->action(IDM_ABOUT)->text(), "About");
    EXPECT_EQ(window->toolbar()->button(IDM_ABOUT)->toolTip(), "About - Exit");
    EXPECT_EQ(window->toolbar()->button(IDM_SAVE)->toolTip(), "Save Entry");
    EXPECT_FALSE(window->action(IDM_UNDO)->isEnabled());

    // While Setup is open the tray runs nothing, as the toolbar cannot be reached either; the
    // menu greys its items, and so the toolbar, until the dialog is gone.
    QTimer::singleShot(0, [this] {
        run(IDM_SAVE);  // from a menu shown before the dialog opened
        emit window->tray()->menu()->aboutToShow();
        EXPECT_FALSE(window->action(IDM_SAVE)->isEnabled());
        EXPECT_FALSE(window->toolbar()->button(IDM_SAVE)->isEnabled());
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        EXPECT_STREQ(dialog->metaObject()->className(), "tallimer::SetupDialog");
        dialog->close();
    });
    run(IDM_SETTINGS);
    EXPECT_EQ(journal(), kHeader + "2004/01/23 08:00\tA\r\n");
    EXPECT_TRUE(window->toolbar()->button(IDM_SAVE)->isEnabled());
    EXPECT_FALSE(window->action(IDM_UNDO)->isEnabled());

    window->hide();
    tray->onClicked();
    EXPECT_TRUE(window->isVisible());
}

// The tray's icon is a window of its own: a dialog is modal to the main window only, so the
// icon still takes the click that opens its menu, whose items the dialog greys.
TEST_F(TrayWindow, TheIconTakesClicksWhileADialogIsOpen) {
    start("2004/01/23 08:00\tA\r\n");
    QPushButton icon;  // in the place of the tray's icon window
    icon.setGeometry(600, 0, 32, 32);
    icon.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&icon));
    withModal<SetupDialog>([this] { run(IDM_SETTINGS); },
                           [this, &icon](SetupDialog* dialog) {
                               EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
                               QSignalSpy clicks(&icon, &QPushButton::clicked);
                               QTest::mouseClick(icon.windowHandle(), Qt::LeftButton, {},
                                                 QPoint(16, 16));
                               EXPECT_EQ(clicks.count(), 1);
                               emit window->tray()->menu()->aboutToShow();
                               EXPECT_FALSE(window->action(IDM_VIEW_REPORT)->isEnabled());
                           });
}

// The toolbar's dark artwork on a dark theme's menu would all but vanish: the menu draws each
// icon with a contrast of at least 3:1 against its background, in a light and a dark palette.
TEST_F(TrayWindow, MenuIconsStandOutFromTheMenuInLightAndDarkPalettes) {
    start("2004/01/23 08:00\tA\r\n");
    QMenu* menu = window->tray()->menu();
    QPalette dark;
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        dark.setColor(group, QPalette::Window, QColor(53, 53, 53));
        dark.setColor(group, QPalette::Base, QColor(42, 42, 42));
        dark.setColor(group, QPalette::Button, QColor(53, 53, 53));
        for (const QPalette::ColorRole text :
             {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
            dark.setColor(group, text, Qt::white);
        }
    }
    for (const QPalette& palette : {QApplication::palette(), dark}) {
        menu->setPalette(palette);
        menu->adjustSize();
        const QImage drawn = menu->grab().toImage();
        for (const int command :
             {IDM_SAVE, IDM_VIEW_LIST, IDM_VIEW_REPORT, IDM_SETTINGS, IDM_ABOUT}) {
            const QRect item = menu->actionGeometry(window->action(command));
            const QColor background = drawn.pixelColor(item.right() - 3, item.center().y());
            // The icon's pixels: those that differ from the background in the item's icon column.
            // The strokes, the quarter of them farthest from the background, stand out; the
            // smoothed edges of a 16-pixel drawing cannot.
            std::vector<double> ink;
            for (int y = item.top(); y <= item.bottom(); ++y) {
                for (int x = item.left(); x < item.left() + item.height(); ++x) {
                    const double contrast = ContrastRatio(drawn.pixelColor(x, y), background);
                    if (contrast > 1.15) {
                        ink.push_back(contrast);
                    }
                }
            }
            ASSERT_GT(ink.size(), 20u) << command;
            std::nth_element(ink.begin(), ink.begin() + ink.size() * 3 / 4, ink.end());
            EXPECT_GE(ink[ink.size() * 3 / 4], 3.0)
                << command << " on " << background.name().toStdString();
        }
    }
}

// In automatic mode the Start and the Stop are recorded without a box, the Stop's balance saved.
TEST_F(TrayWindow, KeepRunningHidesOnCloseAndExitRunsTheFullShutdown) {
    WriteHostFile(DesktopPreferencesFilePath(), "[Tray]\nKeepRunningWhenClosed=true\n");
    store.settings.automaticMode = 1;
    start();
    QCoreApplication::processEvents();  // the posted automatic Start
    QSignalSpy ended(window.get(), &MainWindow::shutDown);
    pressCloseBox();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(ended.count(), 0);
    EXPECT_EQ(journal(), kHeader + "2004/01/23 13:00\t\r\n");

    platform::SetClock(QDateTime(QDate(2004, 1, 23), QTime(17, 30)));
    window->refreshDaySummary(true);
    run(IDM_EXIT);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_EQ(journal(), kHeader + "2004/01/23 13:00\t\r\n2004/01/23\t17:30\t\r\n");
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Loaded().settings.flexBalance, 270 - 480);
}

// A panel that starts after the program: its icon shows the day at once, and from then on the
// close box hides the window as with a tray from the start.
TEST_F(TrayWindow, ATrayAttachedAfterStartUpShowsTheDayAndKeepsTheWindow) {
    WriteHostFile(DesktopPreferencesFilePath(), "[Tray]\nKeepRunningWhenClosed=true\n");
    withTray = false;
    start("2004/01/23 08:00\tA\r\n");
    auto port = std::make_unique<FakeTray>();
    tray = port.get();
    window->attachTray(std::move(port));
    EXPECT_TRUE(tray->periodOpen);
    EXPECT_EQ(tray->toolTip, summaryToolTip());
    EXPECT_EQ(saveItem(), "Save Entry: Stop");

    QSignalSpy ended(window.get(), &MainWindow::shutDown);
    pressCloseBox();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(ended.count(), 0);
}

TEST_F(TrayWindow, RemindersComeFromTheRefreshTimerAndWriteNothing) {
    writeHandheld(kJournal, kHeader + "2004/01/23 08:00\tA\r\n");
    WriteHostFile(DesktopPreferencesFilePath(), "[Reminders]\nStillWorking=false\n");
    start();
    const std::string before = journal();
    tickAt(QDate(2004, 1, 23), QTime(16, 29));
    EXPECT_TRUE(tray->shown.empty());
    tickAt(QDate(2004, 1, 23), QTime(16, 31));
    tickAt(QDate(2004, 1, 23), QTime(22, 0));
    EXPECT_EQ(tray->shown,
              std::vector<QString>{"Target reached: The day's target was reached at 16:30."});
    EXPECT_EQ(journal(), before);
}

}  // namespace
}  // namespace tallimer::test
