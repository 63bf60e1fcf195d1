#include "ui/key_filter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
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

class EventLoopTimer : public KeyTimer {
  public:
    explicit EventLoopTimer(std::function<void()> timeout) {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, std::move(timeout));
    }
    void start(int ms) override { timer_.start(ms); }
    void stop() override { timer_.stop(); }
    bool isActive() const override { return timer_.isActive(); }

  private:
    QTimer timer_;
};

std::unique_ptr<KeyTimer> MakeEventLoopTimer(std::function<void()> timeout) {
    return std::make_unique<EventLoopTimer>(std::move(timeout));
}

}  // namespace

KeyFilter::KeyFilter(Actions actions, const KeyTimerFactory& timers, QObject* parent)
    : QObject(parent), actions_(std::move(actions)) {
    const KeyTimerFactory& make = timers ? timers : KeyTimerFactory(MakeEventLoopTimer);
    for (bool action : {true, false}) {
        HeldKey& held = keys_[action ? 0 : 1];
        held.longPress = make([this, action] { longPressDue(action); });
        held.grace = make([this, action] { release(action); });
    }
}

KeyFilter::~KeyFilter() = default;

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
    const bool action = key == HardKey::Action;
    HeldKey& held = keys_[action ? 0 : 1];

    // A held key is one press and one release, inside a dialog too: otherwise the repeat of
    // the key whose long press opened a message box would answer the box at once.
    if (keyEvent->isAutoRepeat()) {
        return true;
    }
    if (type == QEvent::KeyPress && held.grace->isActive()) {
        // The release just before was a repeat: the key is still down.
        held.grace->stop();
        if (held.longPressDue) {
            held.longPressDue = false;
            longPress(action);
        }
        return true;
    }
    if (dialog) {
        // The press may have started the timer before the dialog came up; its release
        // inside the dialog still ends the long press.
        if (type == QEvent::KeyRelease) {
            held.longPress->stop();
            held.grace->start(kRepeatGraceMs);
        }
        return false;
    }
    if (type == QEvent::KeyPress) {
        const bool takenByPopup =
            popupKey_ == keyEvent->key() && popupKeyTimestamp_ == keyEvent->timestamp();
        popupKey_ = 0;
        if (!takenByPopup) {
            held.longPress->start(kLongPressMs);
        }
        return true;
    }
    // Whether the release is real shows when the grace time passes without a press.
    held.grace->start(kRepeatGraceMs);
    return true;
}

void KeyFilter::release(bool action) {
    HeldKey& held = keys_[action ? 0 : 1];
    // A release without a pending long press belongs to a long press that already fired, or
    // to a press that a dialog or popup took: it makes no character. A long press that came
    // due within the grace time was released before it was due.
    if (held.longPress->isActive() || held.longPressDue) {
        held.longPress->stop();
        held.longPressDue = false;
        Run(action ? actions_.actionCharacter : actions_.escapeCharacter);
    }
}

void KeyFilter::longPress(bool action) {
    // A long press that comes due while a modal dialog runs is dropped: the dialog, not the
    // main window, has the user's attention.
    if (QApplication::activeModalWidget() != nullptr) {
        return;
    }
    Run(action ? actions_.actionLongPress : actions_.escapeLongPress);
}

void KeyFilter::longPressDue(bool action) {
    HeldKey& held = keys_[action ? 0 : 1];
    if (held.grace->isActive()) {
        held.longPressDue = true;  // decided when the grace time ends
    } else {
        longPress(action);
    }
}

}  // namespace tallimer
