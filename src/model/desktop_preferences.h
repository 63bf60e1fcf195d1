#pragma once

#include <QString>
#include <cstdint>

namespace tallimer {

// Preferences of the desktop build only (tray, reminders, the window's zoom, the session). They
// live in desktop.ini in the device folder, apart from the settings record, so the handheld's
// files stay as they are.
struct DesktopPreferences {
    bool targetReachedReminder = true;
    bool stillWorkingReminder = true;
    bool notStartedReminder = false;
    int32_t notStartedBy = 9 * 60;  // minutes since midnight
    bool keepRunningInTray = false;
    // The name a timesheet is made out to; empty: the account's.
    QString name;
    // The main window's zoom in percent as stored; 0: none stored.
    int zoom = 0;
    // The desktop session: "Start with the session" as last chosen from a menu (the autostart
    // entry itself decides), "Stop while the screen is locked" in automatic mode, and how
    // long a lock or suspend must last to count as an absence.
    bool startWithSession = false;
    bool stopWhileLocked = true;
    int32_t absenceMinutes = 5;

    bool operator==(const DesktopPreferences&) const = default;
};

}  // namespace tallimer
