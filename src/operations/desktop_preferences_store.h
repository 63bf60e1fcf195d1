#pragma once

#include <QString>

#include "model/desktop_preferences.h"

namespace tallimer {

// DeviceFolder()/desktop.ini.
QString DesktopPreferencesFilePath();

// Read at start-up. A missing file, key or unreadable value keeps its default.
DesktopPreferences LoadDesktopPreferences();

}  // namespace tallimer
