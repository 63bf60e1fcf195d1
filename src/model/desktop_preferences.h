#pragma once

#include <QString>
#include <cstdint>

namespace tallimer {

// Preferences of the desktop build only (tray, reminders, the window's zoom). They live in
// desktop.ini in the device folder, apart from the settings record, so the handheld's files stay as
// they are.
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

    bool operator==(const DesktopPreferences&) const = default;
};

}  // namespace tallimer
