#pragma once

#include <QMap>
#include <QObject>
#include <cstdint>
#include <functional>
#include <span>

class QAction;
class QActionGroup;
class QWidget;

namespace tallimer {

// Which commands can run now. Decided in one place and set on the actions, which every
// surface follows.
struct CommandStates {
    bool remove = false;  // the day has entries: Remove and Edit day
    bool undo = false;
};

// The commands of the window's context menu and of the tray menu, in order; 0: a separator.
std::span<const int> MenuCommands();

// One QAction per command (IDM_*), shared by the toolbar, the keys, the window's context menu
// and Ctrl+Z, and the tray menu. The three views form an exclusive group whose checked action
// is the view shown. An action runs the work bound to its command.
class WindowActions : public QObject {
    Q_OBJECT
  public:
    // The actions belong to `window`, where Undo's Ctrl+Z and context menu item live.
    explicit WindowActions(QWidget* window);

    QAction* action(int command) const { return actions_.value(command); }
    // The command's work, run by its action (and by run and post).
    void bind(int command, std::function<void()> work);
    // Runs the command now, as the program's own request ("sent").
    void run(int command);
    // Runs the command from the event loop ("posted"), as the hardware keys' timers do: the
    // command then acts as if raised by its button, whatever the button shows.
    void post(int command);

    void setStates(const CommandStates& states);
    // While a dialog or message box is open every action is greyed (the tray's menu shows it
    // so; the toolbar is out of reach then anyway).
    void setHeld(bool held);
    // Checks the view's action (0 to 2), whoever switched the view.
    void showView(int32_t viewKind);

  private:
    // The one place that enables and disables the actions.
    void applyStates();

    QMap<int, QAction*> actions_;
    QMap<int, std::function<void()>> work_;
    QActionGroup* views_ = nullptr;
    CommandStates states_;
    bool held_ = false;
};

}  // namespace tallimer
