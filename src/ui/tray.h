#pragma once

#include <QObject>
#include <memory>

#include "accounting/day_summary.h"
#include "accounting/reminders.h"
#include "model/desktop_preferences.h"
#include "ui/tray_port.h"

class QAction;
class QMenu;

namespace tallimer {

class MenuIconStyle;
class WindowActions;

// The tray icon's behaviour over a TrayPort: icon and tooltip follow the day, the menu holds
// the window's actions, and reminders are shown as the icon's messages.
class Tray : public QObject {
    Q_OBJECT
  public:
    Tray(std::unique_ptr<TrayPort> port, const DesktopPreferences& preferences,
         WindowActions& actions);
    ~Tray() override;

    // The icon, and the Save Entry item naming the next entry as the panel's status does.
    void showDay(bool periodOpen);
    // The tooltip: the day summary's Presence, Credit and Flexitime in total.
    void showSummary(const DaySummaryTexts& texts);
    // Shows the reminders due at `clock` (once a minute, from the refresh timer).
    void remind(const QDateTime& clock, const DayState& day, const Settings& settings);
    // Tells of a period that `date` left open; a click on the message offers that day.
    void tellOpenDay(QDate date, const QString& text);
    // Tells something that a click does not act on.
    void tell(const QString& title, const QString& text);

    QMenu* menu() const { return menu_.get(); }
    const DesktopPreferences& preferences() const { return preferences_; }

  signals:
    void clicked();
    void openDayClicked(QDate date);

  private:
    std::unique_ptr<TrayPort> port_;
    std::unique_ptr<MenuIconStyle> menuStyle_;
    std::unique_ptr<QMenu> menu_;
    QAction* save_ = nullptr;
    DesktopPreferences preferences_;
    ReminderMemory memory_;
    QDate messageDay_;  // the day the last message told of; none after a reminder
};

}  // namespace tallimer
