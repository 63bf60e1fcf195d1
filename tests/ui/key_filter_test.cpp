#include "ui/key_filter.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <array>
#include <memory>
#include <tuple>
#include <utility>

#include "manual_key_timers.h"

namespace tallimer {
namespace {

const QList<int> kActionKeys = {Qt::Key_Return, Qt::Key_Enter, Qt::Key_F23};
const QList<int> kEscapeKeys = {Qt::Key_Escape, Qt::Key_F24};

// Action character, Escape character, Action long press, Escape long press.
using Calls = std::array<int, 4>;
constexpr Calls kNone = {0, 0, 0, 0};

// Counts the hardware-key events that reach the widgets it watches.
class KeySpy : public QObject {
  public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            seen += kActionKeys.contains(key) || kEscapeKeys.contains(key) ? 1 : 0;
        }
        return false;
    }
    int seen = 0;
};

class KeyFilterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        filter_ = std::make_unique<KeyFilter>(
            KeyFilter::Actions{[this] { ++calls_[0]; }, [this] { ++calls_[1]; },
                               [this] { ++calls_[2]; }, [this] { ++calls_[3]; }},
            timers_.factory());
        qApp->installEventFilter(filter_.get());

        auto* layout = new QVBoxLayout(&window_);
        layout->addWidget(edit_ = new QLineEdit);
        layout->addWidget(combo_ = new QComboBox);
        combo_->setEditable(true);
        combo_->addItems({"Alpha", "Beta"});
        for (QObject* watched : {static_cast<QObject*>(edit_), static_cast<QObject*>(combo_),
                                 static_cast<QObject*>(combo_->lineEdit())}) {
            watched->installEventFilter(&spy_);
        }
        window_.show();
        QApplication::setActiveWindow(&window_);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
        edit_->setFocus();
    }

    // A key event as the platform delivers it: to the window, which hands it to the focus.
    void send(QEvent::Type type, int key, bool autoRepeat = false, QWidget* target = nullptr) {
        QWindow* window = (target ? target : &window_)->windowHandle();
        qt_handleKeyEvent(window, type, key, Qt::NoModifier, QString(), autoRepeat);
    }
    void press(int key, QWidget* target = nullptr) { send(QEvent::KeyPress, key, false, target); }
    // A release is known to be one only when the grace time has passed without a press.
    void release(int key, QWidget* target = nullptr) {
        send(QEvent::KeyRelease, key, false, target);
        timers_.advance(KeyFilter::kRepeatGraceMs);
    }
    // Flagged or, as a loaded X11 desktop delivers many, not.
    void repeat(int key, QWidget* target = nullptr, bool flagged = true) {
        send(QEvent::KeyRelease, key, flagged, target);
        send(QEvent::KeyPress, key, flagged, target);
    }

    // A modal dialog with a default button, as the Setup and About dialogs have.
    std::unique_ptr<QDialog> showModalDialog() {
        auto dialog = std::make_unique<QDialog>(&window_);
        auto* layout = new QVBoxLayout(dialog.get());
        layout->addWidget(new QLineEdit);
        auto* ok = new QPushButton("OK");
        layout->addWidget(ok);
        ok->setDefault(true);
        QObject::connect(ok, &QPushButton::clicked, dialog.get(), &QDialog::accept);
        dialog->setWindowModality(Qt::ApplicationModal);
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        return dialog;
    }

    QWidget window_;
    QLineEdit* edit_ = nullptr;
    QComboBox* combo_ = nullptr;
    KeySpy spy_;
    Calls calls_ = kNone;
    test::ManualKeyTimers timers_;
    std::unique_ptr<KeyFilter> filter_;
};

// The focus is in the editable combo box, which would add its text as an item on Enter.
TEST_F(KeyFilterTest, ShortPressGivesOneCharacterAtReleaseAndNoWidgetSeesTheKey) {
    combo_->setFocus();
    combo_->setEditText("Gamma");
    for (bool throughWindow : {true, false}) {
        for (int key : kActionKeys + kEscapeKeys) {
            SCOPED_TRACE(testing::Message() << "key " << key << " window " << throughWindow);
            calls_ = kNone;
            if (throughWindow) {
                press(key);
                EXPECT_EQ(calls_, kNone);
                repeat(key);
                release(key);
            } else {
                QTest::keyClick(combo_->lineEdit(), Qt::Key(key));
                timers_.advance(KeyFilter::kRepeatGraceMs);
            }
            const bool escape = kEscapeKeys.contains(key);
            EXPECT_EQ(calls_, (Calls{escape ? 0 : 1, escape ? 1 : 0, 0, 0}));
        }
    }
    EXPECT_EQ(combo_->count(), 2);
    EXPECT_EQ(spy_.seen, 0);
}

// Two keys held together; the auto-repeat halfway, flagged or not, must not restart the timers,
// and the releases after the long press make no character.
TEST_F(KeyFilterTest, HeldKeysGiveOneLongPressAndNoCharacter) {
    for (auto [action, escape, flagged] : {std::tuple{Qt::Key_Return, Qt::Key_F24, true},
                                           std::tuple{Qt::Key_F23, Qt::Key_Escape, false}}) {
        SCOPED_TRACE(testing::Message() << "keys " << action << " " << escape);
        calls_ = kNone;
        press(action);
        press(escape);
        timers_.advance(300);
        repeat(action, nullptr, flagged);
        repeat(escape, nullptr, flagged);
        timers_.advance(199);
        EXPECT_EQ(calls_, kNone);
        timers_.advance(1);
        EXPECT_EQ(calls_, (Calls{0, 0, 1, 1}));
        repeat(action, nullptr, flagged);
        repeat(escape, nullptr, flagged);
        release(action);
        release(escape);
        EXPECT_EQ(calls_, (Calls{0, 0, 1, 1}));
    }
    EXPECT_EQ(spy_.seen, 0);
}

// The repeat of a key still held from the long press that opened a dialog must not answer it.
// A release inside a modal dialog cancels the long press; one falling due in it is dropped.
TEST_F(KeyFilterTest, ModalDialogTakesFreshPressesNotRepeatsAndCancelsTheLongPress) {
    for (auto [key, result] : {std::pair{Qt::Key_Return, QDialog::Accepted},
                               std::pair{Qt::Key_Escape, QDialog::Rejected}}) {
        auto dialog = showModalDialog();
        repeat(key, dialog.get());
        repeat(key, dialog.get(), false);
        EXPECT_TRUE(dialog->isVisible());
        release(key, dialog.get());
        press(key, dialog.get());
        EXPECT_EQ(dialog->result(), result);
        EXPECT_FALSE(dialog->isVisible());
        release(key);  // lands in the main window after the dialog closed
    }
    press(Qt::Key_Return);
    auto dialog = showModalDialog();
    release(Qt::Key_Return, dialog.get());
    dialog->reject();
    timers_.advance(KeyFilter::kLongPressMs);
    press(Qt::Key_Escape);
    dialog = showModalDialog();
    timers_.advance(KeyFilter::kLongPressMs);
    dialog->reject();
    release(Qt::Key_Escape);
    EXPECT_EQ(calls_, kNone);
}

// The open list of a combo box closes on the key's shortcut check; the press is still the list's.
TEST_F(KeyFilterTest, OpenPopupHandlesTheKeysItself) {
    combo_->setFocus();
    for (int key : {Qt::Key_Escape, Qt::Key_Return}) {
        for (bool throughWindow : {true, false}) {
            SCOPED_TRACE(testing::Message() << "key " << key << " window " << throughWindow);
            combo_->showPopup();
            ASSERT_NE(QApplication::activePopupWidget(), nullptr);
            if (throughWindow) {
                press(key);
                release(key);
            } else {
                QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key(key));
            }
            EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
            EXPECT_EQ(calls_, kNone);
            EXPECT_EQ(combo_->count(), 2);
        }
    }
}

}  // namespace
}  // namespace tallimer
