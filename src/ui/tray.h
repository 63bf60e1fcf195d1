#pragma once

#include <QMap>
#include <QObject>
#include <QSet>
#include <memory>

#include "accounting/day_summary.h"
#include "accounting/reminders.h"
#include "model/desktop_preferences.h"
#include "ui/tray_port.h"

class QAction;
class QMenu;

namespace tallimer {

// The tray icon's behaviour over a TrayPort: icon and tooltip follow the day, the menu raises
// the window's commands, and reminders are shown as the icon's messages.
class Tray : public QObject {
    Q_OBJECT
  public:
    Tray(std::unique_ptr<TrayPort> port, const DesktopPreferences& preferences);
    ~Tray() override;

    // The icon, and the Save Entry item naming the next entry as the panel's status does.
    void showDay(bool periodOpen);
    // The tooltip: the day summary's Presence, Credit and Flexitime in total.
    void showSummary(const DaySummaryTexts& texts);
    // Shows the reminders due at `clock` (once a minute, from the refresh timer).
    void remind(const QDateTime& clock, const DayState& day, const Settings& settings);

    // A command's menu item; the main window enables IDM_UNDO once there is something to undo.
    QAction* action(int command) const { return actions_.value(command); }
    void setCommandEnabled(int command, bool enabled);
    QMenu* menu() const { return menu_.get(); }
    const DesktopPreferences& preferences() const { return preferences_; }

  signals:
    void commandRaised(int command);
    void clicked();

  private:
    std::unique_ptr<TrayPort> port_;
    std::unique_ptr<QMenu> menu_;
    QMap<int, QAction*> actions_;
    QSet<int> disabled_;  // by the main window, whether a dialog is open or not
    DesktopPreferences preferences_;
    ReminderMemory memory_;
};

}  // namespace tallimer
