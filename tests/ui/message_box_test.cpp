#include "ui/message_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTextDocument>
#include <QTextTable>
#include <QTimer>

#include "resources/string_table.h"

namespace tallimer {
namespace {

// Without an answerer a real box runs modally; a key press answers it.
TEST(MessageBoxTest, RealBoxAnswersByItsDefaultAndEscapeButtons) {
    struct Case {
        MessageIcon icon;
        MessageButtons buttons;
        Qt::Key key;
        QMessageBox::Icon qtIcon;
        int buttonCount;
        MessageAnswer expected;
    };
    using enum MessageIcon;
    using enum MessageAnswer;
    using B = MessageButtons;
    const Case cases[] = {
        {Information, B::Ok, Qt::Key_Escape, QMessageBox::Information, 1, Ok},
        {Exclamation, B::OkCancel, Qt::Key_Escape, QMessageBox::Warning, 2, Cancel},
        {Stop, B::OkCancel, Qt::Key_Return, QMessageBox::Critical, 2, Ok},
        {Question, B::YesNo, Qt::Key_Return, QMessageBox::Question, 2, No},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "key " << c.key << " buttons " << c.buttonCount);
        bool answered = false;
        QObject guard;  // drops the answer when the box never ran
        QTimer::singleShot(0, &guard, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), QStringLiteral("Tallimer"));
            EXPECT_EQ(box->windowFlags() & (Qt::CustomizeWindowHint | Qt::WindowMinMaxButtonsHint |
                                            Qt::WindowCloseButtonHint),
                      Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint);  // a close box only
            EXPECT_EQ(box->text(), QStringLiteral("Entry saved"));
            EXPECT_EQ(box->icon(), c.qtIcon);
            EXPECT_EQ(box->buttons().size(), c.buttonCount);
            QTest::keyClick(box, c.key);
            answered = true;
        });
        EXPECT_EQ(ShowMessage(nullptr, StringId::EntrySaved, c.icon, c.buttons), c.expected);
        EXPECT_TRUE(answered);
    }
}

// The keys help lines up its second column with tabs; the box shows its lines as table rows
// whose cells are the parts between runs of tabs, blanks kept.
TEST(MessageBoxTest, TabColumnsStayAligned) {
    std::vector<std::vector<QString>> rows;
    QObject guard;
    QTimer::singleShot(0, &guard, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        QTextDocument shown;
        shown.setHtml(box->text());
        const QList<QTextFrame*> frames = shown.rootFrame()->childFrames();
        auto* table = frames.isEmpty() ? nullptr : qobject_cast<QTextTable*>(frames.front());
        ASSERT_NE(table, nullptr);
        for (int r = 0; r < table->rows(); ++r) {
            rows.emplace_back();
            for (int c = 0; c < table->columns(); ++c) {
                QTextCursor cell = table->cellAt(r, c).firstCursorPosition();
                cell.setPosition(table->cellAt(r, c).lastPosition(), QTextCursor::KeepAnchor);
                rows.back().push_back(cell.selectedText());
            }
        }
        QTest::keyClick(box, Qt::Key_Return);
    });
    ShowMessage(nullptr, StringId::KeysHelp, MessageIcon::Information);
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0], (std::vector<QString>{"Action", "next field"}));
    EXPECT_EQ(rows[4], (std::vector<QString>{"Escape, ", ""}));
}

}  // namespace
}  // namespace tallimer
