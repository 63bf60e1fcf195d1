#include <QCheckBox>
#include <QDialogButtonBox>
#include <QMenu>
#include <functional>

#include "ui/day_off_dialog.h"
#include "ui/notice_line.h"
#include "ui/tray.h"
#include "window_fixture.h"

namespace tallimer::test {
namespace {

class DayOffWindow : public WindowTest {
  protected:
    // Runs `inside` once "Day off…" is up, as the menu item opens it.
    void withDialog(const std::function<void(DayOffDialog*)>& inside) {
        withModal<DayOffDialog>([this] { run(IDM_DAY_OFF); }, inside);
    }
    QLabel* summaryDayOff() const {
        return qobject_cast<DaySummaryView*>(window->viewWindow())->dayOffLabel();
    }
};

const std::string kMorning = "2004/01/23 08:00\tA\r\n2004/01/23\t12:00\tA\r\n";

TEST_F(DayOffWindow, TheContextMenuAndTheTrayMenuOfferBothCommands) {
    withTray = true;
    start();
    const QList<QAction*> both = {window->action(IDM_DAY_OFF), window->action(IDM_IMPORT_HOLIDAYS)};
    EXPECT_EQ(window->tray()->menu()->actions().mid(2, 2), both);
    EXPECT_EQ(both[0]->text(), "Day off\u2026");
    EXPECT_EQ(both[1]->text(), "Import holidays\u2026");
}

// OK marks the selected day, books its credit and shows the kind in the day summary.
TEST_F(DayOffWindow, OkMarksTheDayAndTheBalanceAndSummaryFollow) {
    start(kMorning);
    EXPECT_TRUE(summaryDayOff()->isHidden());
    const int32_t balance = Loaded().settings.flexBalance;
    withDialog([](DayOffDialog* dialog) {
        EXPECT_EQ(dialog->fromEdit()->date(), QDate(2004, 1, 23));
        EXPECT_EQ(dialog->toEdit()->date(), QDate(2004, 1, 23));
        dialog->kindBox()->setCurrentIndex(1);  // Sick
        QTest::mouseClick(dialog->buttons()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    EXPECT_EQ(daysFile().substr(daysFile().rfind("2004")), "2004/01/23\tsick\twhole\n");
    EXPECT_EQ(Loaded().settings.flexBalance, balance + 480);  // - 4:00 became + 4:00
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(summaryDayOff()->text(), "Sick");
    EXPECT_FALSE(summaryDayOff()->isHidden());

    run(IDM_UNDO);
    EXPECT_EQ(window->notice()->text(), "Undone: Day off 2004/01/23");
    EXPECT_EQ(Loaded().settings.flexBalance, balance);
    EXPECT_TRUE(summaryDayOff()->isHidden());
}

TEST_F(DayOffWindow, CancelChangesNothing) {
    start(kMorning);
    const int32_t balance = Loaded().settings.flexBalance;
    withDialog([](DayOffDialog* dialog) {
        dialog->kindBox()->setCurrentIndex(3);
        dialog->halfBox()->setChecked(true);
        QTest::mouseClick(dialog->buttons()->button(QDialogButtonBox::Cancel), Qt::LeftButton);
    });
    EXPECT_EQ(daysFile(), "");
    EXPECT_EQ(Loaded().settings.flexBalance, balance);
    EXPECT_TRUE(summaryDayOff()->isHidden());
}

}  // namespace
}  // namespace tallimer::test
