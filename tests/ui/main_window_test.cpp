#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QStyleOptionGroupBox>
#include <QToolButton>
#include <QTreeWidget>
#include <QWheelEvent>

#include "platform/file.h"
#include "ui/entry_list_view.h"
#include "ui/report_view.h"
#include "ui/setup_dialog.h"
#include "window_fixture.h"

namespace tallimer::test {
namespace {

QString SelectedText(const QListWidget* list) {
    const auto items = list->selectedItems();
    return items.isEmpty() ? QString() : items.front()->text();
}

QString SummaryText(MainWindow& window, int id) {
    auto* view = qobject_cast<DaySummaryView*>(window.viewWindow());
    return view != nullptr ? view->valueLabel(id)->text() : QString();
}

// Every visible text of `window` stands out from the background of its nearest filled
// ancestor; the day summary's filled labels keep their own fixed colours.
void ExpectReadableTexts(QWidget* window) {
    for (QWidget* w : window->findChildren<QWidget*>()) {
        auto* label = qobject_cast<QLabel*>(w);
        auto* box = qobject_cast<QGroupBox*>(w);
        if (!w->isVisibleTo(window) ||
            (label && (label->text().isEmpty() || w->autoFillBackground())) ||
            !(label || box || qobject_cast<QCheckBox*>(w))) {
            continue;
        }
        QColor text = w->palette().color(label ? label->foregroundRole() : QPalette::WindowText);
        if (box != nullptr) {
            QStyleOptionGroupBox option;
            option.initFrom(box);
            text = QColor::fromRgba(
                QRgb(box->style()->styleHint(QStyle::SH_GroupBox_TextLabelColor, &option, box)));
        }
        QWidget* filled = w;
        while (!filled->autoFillBackground() && !filled->isWindow()) {
            filled = filled->parentWidget();
        }
        const QColor background = filled->palette().color(filled->backgroundRole());
        EXPECT_GE(std::abs(text.lightness() - background.lightness()), 128)
            << w->metaObject()->className();
    }
}

using Window = WindowTest;

TEST_F(Window, GeometryAndSaveByToolbarUpdatingEverything) {
    start();
    EXPECT_EQ(window->size(), QSize(240, 294));
    // Seven buttons, the views set apart from the commands by a gap.
    Toolbar* toolbar = window->toolbar();
    EXPECT_EQ(toolbar->findChildren<QToolButton*>().size(), 7);
    EXPECT_GT(toolbar->button(IDM_SAVE)->x() - toolbar->button(IDM_VIEW_REPORT)->x(),
              toolbar->button(IDM_REMOVE)->x() - toolbar->button(IDM_SAVE)->x());
    EXPECT_FALSE(window->toolbar()->button(IDM_REMOVE)->isEnabled());
    EntryPanel* panel = window->entryPanel();
    panel->project()->setEditText("Alpha");

    QTest::mouseClick(window->toolbar()->button(IDM_SAVE), Qt::LeftButton);
    EXPECT_EQ(journal(), kHeader + "2004/01/23 13:00\tAlpha\r\n");
    EXPECT_EQ(messages, std::vector<QString>{"Entry saved"});
    EXPECT_TRUE(window->toolbar()->button(IDM_REMOVE)->isEnabled());
    EXPECT_EQ(panel->project()->count(), 1);
    EXPECT_EQ(SummaryText(*window, IDC_SUMMARY_CREDIT), "- 08:30");
    EXPECT_EQ(SummaryText(*window, IDC_SUMMARY_PRESENCE), "  00:00");
    // The day of the journal this save created is the journal's: Remove takes it away.
    run(IDM_REMOVE);
    EXPECT_EQ(journal(), kHeader);
    EXPECT_EQ(messages, (std::vector<QString>{"Entry saved", "Entry removed"}));
}

TEST_F(Window, HeldEnterSavesShortEnterWalksTheFocus) {
    start();
    window->entryPanel()->hourList()->setFocus();
    for (int expected : {IDC_MINUTE, IDC_PROJECT, IDC_DATE, IDC_HOUR}) {
        pressKey(QApplication::focusWidget(), Qt::Key_Return, 0);
        QWidget* focus = QApplication::focusWidget();
        while (focus != nullptr && ControlId(focus) < 0) {
            focus = focus->parentWidget();
        }
        ASSERT_NE(focus, nullptr);
        EXPECT_EQ(ControlId(focus), expected);
    }
    EXPECT_EQ(journal(), "");

    pressKey(QApplication::focusWidget(), Qt::Key_Return, KeyFilter::kLongPressMs);
    EXPECT_EQ(journal(), kHeader + "2004/01/23 13:00\t\r\n");
    EXPECT_EQ(ControlId(QApplication::focusWidget()), IDC_HOUR);  // no character with it
}

// After a Start the lists show when the target is reached and keep it while the focus rests
// on them; a held Enter then asks once before saving that time: No writes nothing, Yes does.
TEST_F(Window, HeldEnterAsksBeforeSavingATimeTheClockHasNotReached) {
    SetMessageAnswerer([this](const ShownMessage& shown) {
        messages.push_back(shown.text);
        if (shown.buttons != MessageButtons::YesNo) {
            return MessageAnswer::Ok;
        }
        EXPECT_EQ(shown.icon, MessageIcon::Question);
        EXPECT_EQ(shown.caption, "Tallimer");
        return answer;
    });
    start();
    QListWidget* hours = window->entryPanel()->hourList();
    hours->setFocus();
    pressKey(hours, Qt::Key_Return, KeyFilter::kLongPressMs);  // the Start at the clock
    const std::string started = kHeader + "2004/01/23 13:00\t\r\n";
    ASSERT_EQ(journal(), started);
    answer = MessageAnswer::No;
    pressKey(hours, Qt::Key_Return, KeyFilter::kLongPressMs);
    EXPECT_EQ(journal(), started);
    answer = MessageAnswer::Yes;
    pressKey(hours, Qt::Key_Return, KeyFilter::kLongPressMs);
    EXPECT_EQ(journal(), started + "2004/01/23\t21:30\t\r\n");
    const QString asked = "The time of this entry is in the future. Save it anyway?";
    EXPECT_EQ(messages, (std::vector<QString>{"Entry saved", asked, asked, "Entry saved"}));
}

// The focused list alone has a black frame; two wheel steps down from 13 select 11. A unit of 7
// has no item for 00: the minute list selects none, and a step of the wheel over it selects its
// first item. Save records both.
TEST_F(Window, FocusFrameAndTheWheelMoveTheSelectionThatSaveRecords) {
    store.settings.minuteUnit = 7;
    start();
    const auto wheel = [](QListWidget* list, int steps) {
        QWheelEvent event(QPointF(5, 5), list->viewport()->mapToGlobal(QPointF(5, 5)), QPoint(),
                          QPoint(0, -steps * QWheelEvent::DefaultDeltasPerStep), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(list->viewport(), &event);
    };
    QListWidget* hours = window->entryPanel()->hourList();
    const auto frame = [hours] {
        return hours->grab().toImage().pixelColor(0, hours->height() / 2);
    };
    EXPECT_NE(frame(), QColor(Qt::black));
    hours->setFocus();
    EXPECT_EQ(frame(), QColor(Qt::black));
    wheel(hours, 2);
    EXPECT_EQ(SelectedText(hours), "11");
    EXPECT_EQ(hours->itemAt(QPoint(5, 5))->text(), "11");
    QListWidget* minutes = window->entryPanel()->minuteList();
    EXPECT_EQ(SelectedText(minutes), "");
    wheel(minutes, 1);
    run(IDM_SAVE);
    EXPECT_EQ(journal(), kHeader + "2004/01/23 11:53\t\r\n");
}

// A dark desktop theme: light window texts. The program's white keeps dark texts on it.
TEST_F(Window, DarkThemeKeepsEveryTextReadable) {
    const QPalette before = QApplication::palette();
    QApplication::setPalette(QPalette(QColor(64, 64, 64), QColor(48, 48, 48)));
    start("2004/01/23 08:00\tA\r\n");
    for (int view : {IDM_VIEW_DAY, IDM_VIEW_LIST, IDM_VIEW_REPORT}) {
        run(view);
        ExpectReadableTexts(window.get());
        if (auto* summary = qobject_cast<DaySummaryView*>(window->viewWindow())) {
            // The summary keeps its own boxes: the open period's presence grey on light grey.
            const QPalette presence = summary->valueLabel(IDC_SUMMARY_PRESENCE)->palette();
            EXPECT_EQ(presence.color(QPalette::Window), QColor(192, 192, 192));
            EXPECT_EQ(presence.color(QPalette::WindowText), QColor(128, 128, 128));
        }
    }
    QApplication::setPalette(before);
}

// Opens Setup as the toolbar does, types `directory` unless it is null, and presses OK.
void ConfirmSetup(MainWindow& window, const char* directory = nullptr) {
    QTimer::singleShot(0, [directory] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        if (directory != nullptr) {
            FindControlAs<QLineEdit>(dialog, 1027)->setText(directory);
        }
        QTest::mouseClick(FindControlAs<QPushButton>(dialog, 1), Qt::LeftButton);
    });
    window.action(IDM_SETTINGS)->trigger();
}

// The old journal's open period must not make the first entry of the new one a Stop, nor its
// entries be Remove's.
TEST_F(Window, SetupMovingTheJournalWhereThereIsNoneShowsAnEmptyDay) {
    const std::string old = kHeader + "2004/01/23 08:00\tA\r\n";
    writeHandheld(kJournal, old);
    start();
    ConfirmSetup(*window, "\\Elsewhere");
    EXPECT_EQ(SelectedText(window->entryPanel()->hourList()), "13");
    EXPECT_EQ(window->entryPanel()->status()->text(), "Start:");
    EXPECT_FALSE(window->toolbar()->button(IDM_REMOVE)->isEnabled());
    EXPECT_EQ(SummaryText(*window, IDC_SUMMARY_PRESENCE), "No");
    QTest::mouseClick(window->toolbar()->button(IDM_SAVE), Qt::LeftButton);
    std::string moved;
    ASSERT_TRUE(readHandheld("\\Elsewhere\\Tallimer.txt", &moved));
    EXPECT_EQ(moved, kHeader + "2004/01/23 13:00\t\r\n");
    EXPECT_EQ(journal(), old);
}

// A screen reader's view: the summary's values named with their captions and signs, Setup's
// fields by the labels on their left, Tab going round the entry fields as the Action key does,
// and F10 opening the window's menu wherever the focus is.
TEST_F(Window, ScreenReaderNamesTabOrderAndTheMenuKey) {
    start("2004/01/23 08:00\tA\r\n2004/01/23\t12:00\tA\r\n");
    auto value = [this](int id) {
        return qobject_cast<DaySummaryView*>(window->viewWindow())
            ->valueLabel(id)
            ->accessibleName();
    };
    EXPECT_EQ(value(IDC_SUMMARY_CREDIT), "Credit, minus 04:00");
    EXPECT_EQ(value(IDC_SUMMARY_PRESENCE), "Presence, 04:00, no period open");
    EXPECT_EQ(value(IDC_SUMMARY_FLEXITIME), "Flexitime in total, plus 00:00");

    EntryPanel* panel = window->entryPanel();
    // (The date field's own Tab steps through its day, month and year first.)
    EXPECT_EQ(panel->date()->nextInFocusChain()->nextInFocusChain(), panel->hourList());
    panel->hourList()->setFocus();
    for (QWidget* next : std::initializer_list<QWidget*>{panel->minuteList(), panel->project()}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focus = QApplication::focusWidget();
        EXPECT_TRUE(focus == next || next->isAncestorOf(focus)) << focus->metaObject()->className();
    }
    for (QWidget* field : std::initializer_list<QWidget*>{panel->hourList(), panel->minuteList()}) {
        EXPECT_FALSE(field->accessibleName().isEmpty());
    }

    withModal<SetupDialog>([this] { run(IDM_SETTINGS); },
                           [](SetupDialog* dialog) {
                               for (QLabel* label : dialog->findChildren<QLabel*>()) {
                                   if (label->text() == "Hours/Week [h]") {
                                       EXPECT_EQ(ControlId(label->buddy()), 1024);
                                   }
                               }
                           });

    panel->project()->setFocus();
    QTimer::singleShot(0, [this] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->actions(), window->actions());
        menu->close();
    });
    QTest::keyClick(panel->project()->lineEdit(), Qt::Key_F10);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "the menu did not open";
}

// Without a journal there is nothing to scan, but the summary shows Setup's new balance at
// once, not at the next minute.
TEST_F(Window, SetupWithoutAJournalShowsTheNewBalanceAtOnce) {
    start();
    withModal<SetupDialog>([this] { run(IDM_SETTINGS); },
                           [](SetupDialog* dialog) {
                               FindControlAs<QLineEdit>(dialog, 1025)->setText("3:00");
                               QTest::mouseClick(FindControlAs<QPushButton>(dialog, 1),
                                                 Qt::LeftButton);
                           });
    EXPECT_EQ(SummaryText(*window, IDC_SUMMARY_FLEXITIME), "+ 03:00");
}

// A failed write is reported in the program's own box; a rescan that cannot open the journal
// leaves panel and view as they were, only Remove is greyed.
TEST_F(Window, FailedSaveOrRescanLeavesThePanelAndTheViews) {
    start("2004/01/22 08:00\tB\r\n2004/01/22\t10:00\tB\r\n2004/01/23 12:00\tA\r\n");
    platform::FailStep(platform::FileStep::Write);
    QTest::mouseClick(window->toolbar()->button(IDM_SAVE), Qt::LeftButton);
    EXPECT_EQ(messages, std::vector<QString>{"Error with database access"});

    platform::File holder =
        platform::File::OpenExisting(kJournal, platform::File::Access::ReadWrite);
    ASSERT_TRUE(holder.isOpen());
    window->entryPanel()->date()->setDate(QDate(2004, 1, 22));
    EXPECT_FALSE(window->toolbar()->button(IDM_REMOVE)->isEnabled());
    EXPECT_EQ(window->entryPanel()->status()->text(), "Stop:");
    EXPECT_EQ(SummaryText(*window, IDC_SUMMARY_PRESENCE), "  01:00");
    // The held Escape posts Remove whatever its button shows; the day kept its entry.
    pressKey(window->entryPanel()->hourList(), Qt::Key_Escape, KeyFilter::kLongPressMs);
    EXPECT_EQ(messages.size(), 2u);
}

// "Entry saved" only outside automatic mode, "Entry removed" in both. Held again on the emptied
// day, whose Remove is greyed, Escape still posts Remove, which finds nothing and says nothing.
// Picking another date reads that date's entries.
TEST_F(Window, HeldEscapeRemovesTheDayAndCommandsShowTheirBoxesInEitherMode) {
    for (int32_t automatic : {0, 1}) {
        SCOPED_TRACE(automatic);
        writeHandheld(kJournal, kHeader + "2004/01/22 08:00\tA\r\n2004/01/23 08:00\tA\r\n");
        store.settings.automaticMode = automatic;
        messages.clear();
        start();
        run(IDM_SAVE);
        for (int held = 0; held < 2; ++held) {
            pressKey(window->entryPanel()->hourList(), Qt::Key_Escape, KeyFilter::kLongPressMs);
        }
        EXPECT_EQ(journal(), kHeader + "2004/01/22 08:00\tA\r\n");
        // The 22nd's open period is told at start.
        const QString told =
            "The period started on 2004/01/22 at 08:00 is still open. Edit that day now?";
        const std::vector<QString> manual = {told, "Entry saved", "Entry removed"};
        const std::vector<QString> automaticBoxes = {told, "Entry removed"};
        EXPECT_EQ(messages, automatic != 0 ? automaticBoxes : manual);
        EXPECT_FALSE(window->toolbar()->button(IDM_REMOVE)->isEnabled());
        EXPECT_EQ(window->entryPanel()->status()->text(), "Start:");

        window->entryPanel()->date()->setDate(QDate(2004, 1, 22));
        EXPECT_TRUE(window->toolbar()->button(IDM_REMOVE)->isEnabled());
        EXPECT_EQ(window->dayState().entryCount, 1);
        quit();
    }
}

// A rescan builds the report anew; a click on any column title reverses the list's order, and
// showing the list anew resets it. The view's action alone is checked.
TEST_F(Window, ViewSwitchesRecreateRescanSortAndSurviveARestart) {
    start("2004/01/22 08:00\tA\r\n2004/01/23\t09:00\tB\r\n2004/01/22\t12:00\tC\r\n");
    EXPECT_TRUE(window->toolbar()->button(IDM_VIEW_DAY)->isChecked());
    QTest::mouseClick(window->toolbar()->button(IDM_VIEW_REPORT), Qt::LeftButton);
    auto* report = qobject_cast<ReportView*>(window->viewWindow());
    ASSERT_NE(report, nullptr);
    EXPECT_FALSE(window->toolbar()->button(IDM_VIEW_DAY)->isChecked());
    QTreeWidget* tree = report->treeControl();
    const auto projects = [tree] { return tree->topLevelItem(0)->child(0)->child(0); };
    const int before = projects()->childCount();
    window->entryPanel()->project()->setEditText("D");
    run(IDM_SAVE);  // a Start of project D, then the rescan
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    EXPECT_TRUE(tree->topLevelItem(0)->isExpanded());
    EXPECT_EQ(projects()->childCount(), before + 1);

    QTest::mouseClick(window->toolbar()->button(IDM_VIEW_LIST), Qt::LeftButton);
    auto list = [this] { return qobject_cast<EntryListView*>(window->viewWindow()); };
    auto rows = [&list] { return list() != nullptr ? list()->listControl()->model() : nullptr; };
    ASSERT_NE(rows(), nullptr);
    ASSERT_EQ(rows()->rowCount(), 4);
    EXPECT_EQ(rows()->index(0, 0).data().toString(), "2004/01/23");
    EXPECT_EQ(rows()->index(0, 1).data().toString(), "  09:00");
    auto clickTitle = [&list](int column) {
        QHeaderView* header = list()->listControl()->header();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 5, 5));
    };
    const QString scanned = window->entryPanel()->project()->currentText();
    window->entryPanel()->project()->setEditText("Typed");
    clickTitle(2);  // ascending, one date's rows still in journal order
    EXPECT_EQ(rows()->index(0, 0).data().toString(), "2004/01/22");
    EXPECT_EQ(rows()->index(1, 1).data().toString(), "  12:00");
    // The list sorts the rows it holds and the panel shows the last scan again, as the
    // rescan the click stands for would.
    EXPECT_EQ(window->entryPanel()->project()->currentText(), scanned);
    run(IDM_VIEW_LIST);  // the view already shown, made anew
    EXPECT_EQ(rows()->index(0, 0).data().toString(), "2004/01/23");
    // Remove and undo show the rows their own read gave the list.
    run(IDM_REMOVE);
    EXPECT_EQ(rows()->rowCount(), 2);
    run(IDM_UNDO);
    EXPECT_EQ(rows()->rowCount(), 4);
    run(IDM_VIEW_REPORT);  // the last of the three views
    quit();

    window = std::make_unique<MainWindow>();
    window->startUp();
    EXPECT_NE(qobject_cast<ReportView*>(window->viewWindow()), nullptr);
    EXPECT_TRUE(window->toolbar()->button(IDM_VIEW_REPORT)->isChecked());
}

}  // namespace
}  // namespace tallimer::test
