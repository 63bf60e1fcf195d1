#pragma once

#include <QString>

#include "model/desktop_preferences.h"

namespace tallimer {

// DeviceFolder()/desktop.ini.
QString DesktopPreferencesFilePath();

// Read at start-up. A missing file, key or unreadable value keeps its default.
DesktopPreferences LoadDesktopPreferences();

// The name a timesheet is made out to: desktop.ini's, else the account's full name, else the
// login name.
QString TimesheetName(const DesktopPreferences& preferences);

}  // namespace tallimer
