#include "ui/key_filter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimerEvent>
#include <utility>

namespace tallimer {

namespace {

enum class HardKey { None, Action, Escape };

HardKey Classify(int key) {
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_F23:
            return HardKey::Action;
        case Qt::Key_Escape:
        case Qt::Key_F24:
            return HardKey::Escape;
        default:
            return HardKey::None;
    }
}

// A modal dialog or an open popup (the date picker's calendar, a combo box's list) handles
// the keys itself.
bool DialogOwnsKeys() {
    return QApplication::activeModalWidget() != nullptr ||
           QApplication::activePopupWidget() != nullptr;
}

void Run(const std::function<void()>& action) {
    if (action) {
        action();
    }
}

}  // namespace

KeyFilter::KeyFilter(Actions actions, QObject* parent)
    : QObject(parent), actions_(std::move(actions)) {}

// Qt hands one key event first to the window and then to the focus widget and its parents,
// and the filter sees every step. Every step that acts also consumes the event, which ends
// its delivery; the steps that pass an event on only stop a timer, which is harmless to
// repeat. So one physical press acts once.
bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease &&
        type != QEvent::ShortcutOverride) {
        return QObject::eventFilter(watched, event);
    }
    const auto* keyEvent = static_cast<const QKeyEvent*>(event);
    const HardKey key = Classify(keyEvent->key());
    if (key == HardKey::None) {
        return false;
    }
    const bool dialog = DialogOwnsKeys();
    if (type == QEvent::ShortcutOverride) {
        if (dialog) {
            popupKey_ = keyEvent->key();
            popupKeyTimestamp_ = keyEvent->timestamp();
        }
        return false;
    }
    QBasicTimer& timer = key == HardKey::Action ? actionTimer_ : escapeTimer_;

    // A held key is one press and one release, inside a dialog too: otherwise the repeat of
    // the key whose long press opened a message box would answer the box at once.
    if (keyEvent->isAutoRepeat()) {
        return true;
    }
    if (dialog) {
        // The press may have started the timer before the dialog came up; its release
        // inside the dialog still ends the long press.
        if (type == QEvent::KeyRelease) {
            timer.stop();
        }
        return false;
    }
    if (type == QEvent::KeyPress) {
        const bool takenByPopup =
            popupKey_ == keyEvent->key() && popupKeyTimestamp_ == keyEvent->timestamp();
        popupKey_ = 0;
        if (!takenByPopup) {
            timer.start(kLongPressMs, this);
        }
        return true;
    }
    // A release without a running timer belongs to a long press that already fired, or to a
    // press that a dialog or popup took: it makes no character.
    if (timer.isActive()) {
        timer.stop();
        Run(key == HardKey::Action ? actions_.actionCharacter : actions_.escapeCharacter);
    }
    return true;
}

void KeyFilter::timerEvent(QTimerEvent* event) {
    const bool action = event->timerId() == actionTimer_.timerId();
    if (!action && event->timerId() != escapeTimer_.timerId()) {
        QObject::timerEvent(event);
        return;
    }
    (action ? actionTimer_ : escapeTimer_).stop();
    // A long press that comes due while a modal dialog runs is dropped: the dialog, not the
    // main window, has the user's attention.
    if (QApplication::activeModalWidget() != nullptr) {
        return;
    }
    Run(action ? actions_.actionLongPress : actions_.escapeLongPress);
}

}  // namespace tallimer
