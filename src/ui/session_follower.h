#pragma once

#include <QDate>
#include <QDateTime>
#include <QObject>
#include <functional>
#include <memory>
#include <optional>

#include "model/desktop_preferences.h"
#include "operations/absence.h"

class QWidget;

namespace tallimer {

namespace platform {
class SessionSignals;
}
class WindowActions;

// The desktop session for the window: the menus' "Start with the session" and "Stop while the
// screen is locked", and the absences that the screen lock and suspend make, handed to the
// window to record.
class SessionFollower : public QObject {
    Q_OBJECT
  public:
    // What it asks of the window.
    struct Window {
        QWidget* owner = nullptr;  // of the boxes that tell a switch not changed
        std::function<bool()> automaticMode;
        std::function<bool(QDate)> periodOpenOn;  // whether the day shown is that date, open
        std::function<void(const AbsenceRecords&)> record;
    };

    // Binds the switches' commands.
    // `preferences`: desktop.ini as read at start-up.
    SessionFollower(WindowActions& actions, const DesktopPreferences& preferences, Window window,
                    QObject* parent);
    ~SessionFollower() override;

    // Follows the lock and suspend that `source` tells.
    void follow(std::unique_ptr<platform::SessionSignals> source);
    // The time the automatic Stop of a program ending now takes (the absence's start), if not
    // the clock's.
    std::optional<QDateTime> stopAtEnd(const QDateTime& now) const;

  protected:
    // A menu about to show the switches shows them as they are: an autostart entry removed by
    // hand is unchecked.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    AbsenceRules rules() const;
    void told(const AbsenceRecords& records);
    void switchStartWithSession();
    void switchStopWhileLocked();
    void showSwitches();

    WindowActions& actions_;
    Window window_;
    DesktopPreferences preferences_;
    Absence absence_;
    std::unique_ptr<platform::SessionSignals> source_;
};

}  // namespace tallimer
