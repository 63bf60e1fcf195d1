#include <QDialogButtonBox>
#include <QMenu>
#include <QTreeWidget>
#include <functional>

#include "ui/report_view.h"
#include "ui/tray.h"
#include "ui/week_dialog.h"
#include "window_fixture.h"

namespace tallimer::test {
namespace {

class WeekWindow : public WindowTest {
  protected:
    // Runs `inside` once "Working week…" is up, as the menu item opens it.
    void withDialog(const std::function<void(WeekDialog*)>& inside) {
        withModal<WeekDialog>([this] { run(IDM_WORKING_WEEK); }, inside);
    }
    static void clickOk(WeekDialog* dialog) {
        QTest::mouseClick(dialog->buttons()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    }
};

const std::string kMorning = "2004/01/23 08:00\tA\r\n2004/01/23\t12:00\tA\r\n";

TEST_F(WeekWindow, TheContextMenuAndTheTrayMenuOfferItAfterImportHolidays) {
    withTray = true;
    start();
    QAction* week = window->action(IDM_WORKING_WEEK);
    EXPECT_EQ(week->text(), "Working week\u2026");
    const QList<QAction*> tray = window->tray()->menu()->actions();
    EXPECT_EQ(tray.mid(3, 2), (QList<QAction*>{window->action(IDM_IMPORT_HOLIDAYS), week}));
}

// A target that is no time is refused with the dialog kept as typed; OK then writes the week
// line and books the changed target of the day with entries after the plan's date.
TEST_F(WeekWindow, OkWritesThePlanAndBooksTheChangedTarget) {
    start(kMorning);
    const int32_t balance = Loaded().settings.flexBalance;
    withDialog([this](WeekDialog* dialog) {
        EXPECT_EQ(dialog->fromEdit()->date(), QDate(2004, 1, 23));
        EXPECT_EQ(dialog->targetEdit(0)->text(), "8:00");
        EXPECT_EQ(dialog->targetEdit(6)->text(), "0:00");
        dialog->targetEdit(4)->setText("25");
        clickOk(dialog);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_TRUE(messages[0].contains("Friday"));
        EXPECT_EQ(QApplication::activeModalWidget(), dialog);
        EXPECT_EQ(dialog->targetEdit(4)->text(), "25");
        EXPECT_EQ(daysFile(), "");

        dialog->targetEdit(4)->setText("6:00");
        dialog->fromEdit()->setDate(QDate(2004, 1, 19));
        clickOk(dialog);
    });
    EXPECT_EQ(daysFile().substr(daysFile().rfind("2004")),
              "2004/01/19\tweek\t8:00 8:00 8:00 8:00 6:00 0:00 0:00\n");
    EXPECT_EQ(Loaded().settings.flexBalance, balance + 120);  // - 4:00 became - 2:00
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(WeekWindow, CancelChangesNothing) {
    start(kMorning);
    const int32_t balance = Loaded().settings.flexBalance;
    withDialog([](WeekDialog* dialog) {
        dialog->targetEdit(4)->setText("6:00");
        QTest::mouseClick(dialog->buttons()->button(QDialogButtonBox::Cancel), Qt::LeftButton);
    });
    EXPECT_EQ(daysFile(), "");
    EXPECT_EQ(Loaded().settings.flexBalance, balance);
}

// The window's report names the month's days off as tallimer-report's does.
TEST_F(WeekWindow, TheReportShowsTheMonthsDaysOff) {
    start(kMorning);
    writeHandheld(store.daysFilePath, "2004/01/20\tvacation\twhole\n");
    run(IDM_VIEW_REPORT);
    auto* report = qobject_cast<ReportView*>(window->viewWindow());
    ASSERT_NE(report, nullptr);
    const QList<QTreeWidgetItem*> found = report->treeControl()->findItems(
        QStringLiteral(" 2004/01/20"), Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(found.size(), 1);
    ASSERT_EQ(found[0]->childCount(), 1);
    EXPECT_EQ(found[0]->child(0)->text(0), " vacation");
}

}  // namespace
}  // namespace tallimer::test
