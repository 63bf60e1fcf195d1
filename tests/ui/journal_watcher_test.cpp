#include <QAction>
#include <QFile>
#include <QSignalSpy>
#include <cstdio>

#include "ui/journal_watcher.h"
#include "ui/notice_line.h"
#include "window_fixture.h"

namespace tallimer::test {
namespace {

using JournalWatch = WindowTest;

// Another program's writes show without a key press; the program's own writes rescan no more
// than their command does. A line the watch has not reported yet when a Save runs is read with
// it, not taken for the program's own.
TEST_F(JournalWatch, OutsideChangesRescanAtOnceOwnWritesDoNot) {
    start("2004/01/23 08:00\tA\r\n");
    QSignalSpy outside(window->journalWatcher(), &JournalWatcher::changedOutside);
    run(IDM_SAVE);
    QTest::qWait(JournalWatcher::kCoalesceMs + 100);
    EXPECT_EQ(outside.count(), 0);
    ASSERT_EQ(window->dayState().entryCount, 2);

    const QString path = hostPath(kJournal);
    const auto append = [&path](const char* line) {
        QFile file(path);
        return file.open(QIODevice::Append) && file.write(line) > 0;
    };
    auto entries = [this](int count) {
        return QTest::qWaitFor([&] { return window->dayState().entryCount == count; }, 1000);
    };
    ASSERT_TRUE(append("2004/01/23 14:00\tA\r\n"));
    EXPECT_TRUE(entries(3));

    // An editor's save: a new file renamed over the journal; later appends are still seen.
    writeHandheld(kJournal + ".new", kHeader);
    ASSERT_EQ(std::rename(QFile::encodeName(path + ".new").constData(),
                          QFile::encodeName(path).constData()),
              0);
    EXPECT_TRUE(entries(0));
    ASSERT_TRUE(append("2004/01/23 09:00\tB\r\n"));
    EXPECT_TRUE(entries(1));
    ASSERT_TRUE(append("2004/01/23\t10:00\tB\r\n"));
    run(IDM_SAVE);  // before the event loop delivers the watch's signal
    EXPECT_EQ(window->dayState().entryCount, 3);
    EXPECT_EQ(window->entryPanel()->status()->text(), "Stop:");  // the third line opens

    // A journal that vanishes keeps the views and shows no message.
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_TRUE(QTest::qWaitFor([this] { return !window->action(IDM_REMOVE)->isEnabled(); }, 1000));
    EXPECT_EQ(window->dayState().entryCount, 3);
    EXPECT_EQ(messages, (std::vector<QString>{"Entry saved", "Entry saved"}));
}

// Ctrl+Z takes the last Save back once, even from the project field; the context menu offers
// the same action, greyed once there is nothing to undo, and the field keeps its typing then.
TEST_F(JournalWatch, CtrlZUndoesTheLastChangeOnce) {
    start("2004/01/23 08:00\tA\r\n");
    EXPECT_TRUE(window->actions().contains(window->action(IDM_UNDO)));
    EXPECT_FALSE(window->action(IDM_UNDO)->isEnabled());
    run(IDM_SAVE);
    ASSERT_EQ(window->dayState().entryCount, 2);
    EXPECT_TRUE(window->action(IDM_UNDO)->isEnabled());
    QLineEdit* field = window->entryPanel()->project()->lineEdit();
    field->setFocus();
    QTest::keyClicks(field, "B");
    QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(journal(), kHeader + "2004/01/23 08:00\tA\r\n");
    EXPECT_EQ(window->dayState().entryCount, 1);
    EXPECT_EQ(window->entryPanel()->status()->text(), "Stop:");
    EXPECT_FALSE(window->action(IDM_UNDO)->isEnabled());
    QTest::keyClicks(field, "C");
    QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(field->text(), "AC");
    EXPECT_EQ(messages, std::vector<QString>{"Entry saved"});
}

// The status text names the next entry only, so what an undo took back is told in a line over
// the window's bottom edge, which the next command takes away.
TEST_F(JournalWatch, WhatAnUndoTookBackIsToldUntilTheNextCommand) {
    start("2004/01/23 08:00\tA\r\n");
    const QLabel* notice = window->notice();
    run(IDM_SAVE);
    EXPECT_FALSE(notice->isVisible());
    run(IDM_UNDO);
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(notice->text(), "Undone: Stop 13:00");
    EXPECT_EQ(notice->geometry().bottom(), window->height() - 1);
    EXPECT_EQ(notice->width(), window->width());
    run(IDM_VIEW_LIST);
    EXPECT_FALSE(notice->isVisible());

    run(IDM_REMOVE);
    run(IDM_UNDO);
    EXPECT_EQ(notice->text(), "Undone: Remove 2004/01/23");
    EXPECT_TRUE(notice->isVisible());
    run(IDM_SAVE);
    EXPECT_FALSE(notice->isVisible());
}

}  // namespace
}  // namespace tallimer::test
