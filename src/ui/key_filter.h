#pragma once

#include <QBasicTimer>
#include <QObject>
#include <functional>

namespace tallimer {

// The hardware keys on the desktop: Enter/Return/F23 is the Action key, Esc/F24 the Escape
// key. Outside modal dialogs the filter owns them: a press released within 500 ms gives its
// character (Enter: next field, Escape: About) at the release; a press held 500 ms gives its
// long-press command (Save Entry, Remove) and no character. Auto-repeat is ignored
// everywhere, in dialogs too.
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

    explicit KeyFilter(Actions actions, QObject* parent = nullptr);

    // Install on the application to see every key event of the main loop.
    bool eventFilter(QObject* watched, QEvent* event) override;

  protected:
    void timerEvent(QTimerEvent* event) override;

  private:
    Actions actions_;
    QBasicTimer actionTimer_;  // TIMER_LONG_ACTION
    QBasicTimer escapeTimer_;  // TIMER_LONG_ESCAPE
    // A popup may close on the shortcut check that precedes a key press (an open combo box
    // list does); the press still belongs to it. Key code 0: none.
    int popupKey_ = 0;
    quint64 popupKeyTimestamp_ = 0;
};

}  // namespace tallimer
