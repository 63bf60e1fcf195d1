#pragma once

#include <QString>

#include "model/desktop_preferences.h"

namespace tallimer {

// DeviceFolder()/desktop.ini.
QString DesktopPreferencesFilePath();

// Read at start-up. A missing file, key or unreadable value keeps its default.
DesktopPreferences LoadDesktopPreferences();

// The session's switches, written from the window's menus.
enum class SessionSwitch { StartWithSession, StopWhileLocked };
// Writes one switch into desktop.ini, keeping the rest of it. False when it could not, with
// `failure` naming the file and why; the file is then as it was.
bool SaveSessionSwitch(SessionSwitch which, bool on, QString& failure);

// The name a timesheet is made out to: desktop.ini's, else the account's full name, else the
// login name.
QString TimesheetName(const DesktopPreferences& preferences);

}  // namespace tallimer
