#pragma once

#include <QObject>
#include <functional>
#include <memory>

namespace tallimer {

// A one-shot timer of the key filter. The filter takes its timers from a factory, so a test
// can run them on a clock of its own instead of waiting.
class KeyTimer {
  public:
    virtual ~KeyTimer() = default;
    virtual void start(int ms) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
};
using KeyTimerFactory = std::function<std::unique_ptr<KeyTimer>(std::function<void()> timeout)>;

// The hardware keys on the desktop: Enter/Return/F23 is the Action key, Esc/F24 the Escape
// key. Outside modal dialogs the filter owns them: a press released within 500 ms gives its
// character (Enter: next field, Escape: About) at the release; a press held 500 ms gives its
// long-press command (Save Entry, Remove) and no character. Auto-repeat is ignored
// everywhere, in dialogs too: a release followed within kRepeatGraceMs by a press of the same
// key is a repeat whether or not the platform flagged it (X11 flags it only when the press is
// already queued, which a loaded machine often misses).
// Inside a modal dialog the keys get the dialog's own handling; a release seen there still
// cancels the pending long press, and a long press that would fire while a modal dialog is
// up is dropped.
class KeyFilter : public QObject {
    Q_OBJECT
  public:
    struct Actions {
        std::function<void()> actionCharacter;  // Enter: move the focus to the next field
        std::function<void()> escapeCharacter;  // Escape: post IDM_ABOUT
        std::function<void()> actionLongPress;  // post IDM_SAVE
        std::function<void()> escapeLongPress;  // post IDM_REMOVE
    };
    static constexpr int kLongPressMs = 500;
    static constexpr int kRepeatGraceMs = 30;

    // Without `timers`, Qt's timers of the event loop.
    explicit KeyFilter(Actions actions, const KeyTimerFactory& timers = {},
                       QObject* parent = nullptr);
    ~KeyFilter() override;

    // Install on the application to see every key event of the main loop.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // One hardware key: its long-press timer (TIMER_LONG_ACTION, TIMER_LONG_ESCAPE) and the
    // grace time after a release, during which a press of the key is only a repeat.
    struct HeldKey {
        std::unique_ptr<KeyTimer> longPress;
        std::unique_ptr<KeyTimer> grace;
        bool longPressDue = false;  // the long press came due within the grace time
    };
    void longPressDue(bool action);
    void release(bool action);
    void longPress(bool action);

    Actions actions_;
    HeldKey keys_[2];  // the Action key, the Escape key
    // A popup may close on the shortcut check that precedes a key press (an open combo box
    // list does); the press still belongs to it. Key code 0: none.
    int popupKey_ = 0;
    quint64 popupKeyTimestamp_ = 0;
};

}  // namespace tallimer
