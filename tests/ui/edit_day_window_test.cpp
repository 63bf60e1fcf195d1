#include <QDialogButtonBox>
#include <QMenu>
#include <QTableWidget>
#include <QTreeView>
#include <QTreeWidget>
#include <functional>

#include "ui/edit_day_dialog.h"
#include "ui/entry_list_view.h"
#include "ui/report_view.h"
#include "ui/tray.h"
#include "window_fixture.h"

namespace tallimer::test {
namespace {

const std::string kDays =
    "2004/01/22 09:00\tB\r\n2004/01/22\t10:00\tB\r\n"
    "2004/01/23 08:00\tA\r\n2004/01/23\t12:00\tA\r\n";

class EditDayWindow : public WindowTest {
  protected:
    // Runs `inside` once "Edit day…" is up, however `open` opens it.
    void withDialog(const std::function<void()>& open,
                    const std::function<void(EditDayDialog*)>& inside) {
        withModal<EditDayDialog>(open, inside);
    }
    void click(EditDayDialog* dialog, QDialogButtonBox::StandardButton button) {
        QTest::mouseClick(dialog->buttons()->button(button), Qt::LeftButton);
    }
};

TEST_F(EditDayWindow, TheContextMenuAndTheTrayMenuOfferIt) {
    withTray = true;
    start(kDays);
    QAction* edit = window->action(IDM_EDIT_DAY);
    EXPECT_TRUE(window->actions().contains(edit));
    EXPECT_TRUE(window->tray()->menu()->actions().contains(edit));
    EXPECT_EQ(edit->text(), "Edit day\u2026");
    EXPECT_TRUE(edit->isEnabled());
    EXPECT_TRUE(tray->shown.empty());  // no earlier day left open
}

// A double click on a row of the entry list opens that row's day; OK writes the changed time.
TEST_F(EditDayWindow, OkWithAChangedTimeRewritesTheLine) {
    start(kDays);
    const int32_t balance = Loaded().settings.flexBalance;
    run(IDM_VIEW_LIST);
    auto* list = qobject_cast<EntryListView*>(window->viewWindow());
    ASSERT_NE(list, nullptr);
    QAbstractItemModel* rows = list->listControl()->model();
    const QModelIndexList day22 =
        rows->match(rows->index(0, 0), Qt::DisplayRole, QStringLiteral("2004/01/22"));
    ASSERT_FALSE(day22.isEmpty());
    withDialog([&] { emit list->listControl()->doubleClicked(day22.first()); },
               [this](EditDayDialog* dialog) {
                   ASSERT_EQ(dialog->table()->rowCount(), 2);
                   dialog->table()->item(1, 0)->setText(QStringLiteral("10:30"));
                   click(dialog, QDialogButtonBox::Ok);
               });
    EXPECT_EQ(journal(), kHeader + "2004/01/22 09:00\tB\r\n2004/01/22\t10:30\tB\r\n" +
                             kDays.substr(kDays.find("2004/01/23")));
    EXPECT_EQ(Loaded().settings.flexBalance, balance + 30);
    EXPECT_TRUE(messages.empty());
}

// In the report, a double click on a day the month names opens that day, not the selected one.
TEST_F(EditDayWindow, ADoubleClickOnADayOfTheReportOpensIt) {
    start(kDays);
    writeHandheld(store.daysFilePath, "2004/01/22\tvacation\twhole\n");
    run(IDM_VIEW_REPORT);
    auto* report = qobject_cast<ReportView*>(window->viewWindow());
    ASSERT_NE(report, nullptr);
    const QList<QTreeWidgetItem*> day22 = report->treeControl()->findItems(
        QStringLiteral(" 2004/01/22"), Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(day22.size(), 1);
    withDialog([&] { emit report->treeControl()->itemDoubleClicked(day22.first(), 0); },
               [](EditDayDialog* dialog) {
                   ASSERT_EQ(dialog->table()->rowCount(), 2);
                   EXPECT_EQ(dialog->table()->item(0, 0)->text(), "9:00");
               });
}

TEST_F(EditDayWindow, CancelChangesNothing) {
    start(kDays);
    const int32_t balance = Loaded().settings.flexBalance;
    withDialog([this] { run(IDM_EDIT_DAY); },
               [this](EditDayDialog* dialog) {
                   dialog->table()->item(1, 0)->setText(QStringLiteral("12:30"));
                   QTest::mouseClick(dialog->addButton(), Qt::LeftButton);
                   click(dialog, QDialogButtonBox::Cancel);
               });
    EXPECT_EQ(journal(), kHeader + kDays);
    EXPECT_EQ(Loaded().settings.flexBalance, balance);
}

// A period left open on an earlier day is told at start and at a new day, once for each day;
// a click on the message opens that day.
TEST_F(EditDayWindow, AnEarlierDayLeftOpenIsToldInTheTrayAndItsMessageOpensIt) {
    withTray = true;
    start("2004/01/22 08:00\tA\r\n2004/01/23 08:00\tA\r\n");
    const QString told =
        "Period still open: The period started on 2004/01/22 at 08:00 is still open.";
    EXPECT_EQ(tray->shown, std::vector<QString>{told});
    const auto tickAt = [this](QDate date) {
        platform::SetClock(QDateTime(date, QTime(0, 1)));
        window->refreshDaySummary(false);
    };
    tickAt(QDate(2004, 1, 24));
    tickAt(QDate(2004, 1, 25));  // the same day still open: not told again
    ASSERT_EQ(tray->shown.size(), 2u);
    EXPECT_EQ(tray->shown[1],
              "Period still open: The period started on 2004/01/23 at 08:00 is still open.");
    withDialog([this] { tray->onMessageClicked(); },
               [this](EditDayDialog* dialog) {
                   EXPECT_EQ(window->entryPanel()->date()->date(), QDate(2004, 1, 23));
                   EXPECT_EQ(dialog->table()->rowCount(), 1);
               });
}

TEST_F(EditDayWindow, WithoutATrayABoxOffersTheEarlierDayLeftOpen) {
    answer = MessageAnswer::Yes;
    withDialog([this] { start("2004/01/22 08:00\tA\r\n"); },
               [this](EditDayDialog* dialog) {
                   EXPECT_EQ(window->entryPanel()->date()->date(), QDate(2004, 1, 22));
                   EXPECT_EQ(dialog->table()->rowCount(), 1);
               });
    EXPECT_EQ(messages, std::vector<QString>{"The period started on 2004/01/22 at 08:00 is still "
                                             "open. Edit that day now?"});
}

// A ledger out of step with the balance is told once at start, in the tray or in a box.
TEST_F(EditDayWindow, ALedgerOutOfStepIsToldOnceAtStart) {
    BuildFilePaths(store);
    writeHandheld(store.ledgerPath, "2004/01/02 08:00:00\t2004/01/02\topening\t70\t70\n");
    withTray = true;
    start();
    EXPECT_EQ(tray->shown,
              std::vector<QString>{"Ledger corrected: The ledger of the balance "
                                   "ended at +\u00a001:10, but the balance is +\u00a000:00. A "
                                   "correcting line was added to the ledger."});
}

}  // namespace
}  // namespace tallimer::test
