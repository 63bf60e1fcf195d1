#pragma once

#include <QByteArray>
#include <QString>

#include "model/desktop_preferences.h"

namespace tallimer {

// DeviceFolder()/desktop.ini.
QString DesktopPreferencesFilePath();

// Read at start-up. A missing file, key or unreadable value keeps its default.
DesktopPreferences LoadDesktopPreferences();

// Stores the window's zoom as desktop.ini's [Window] Zoom, the rest of the file kept byte for
// byte; false, with one line on standard error, when it cannot.
bool SaveZoom(int percent);

// `text` of an INI file with `key` of `section` set to `value`: its line replaced where it is,
// else one added at the section's end (the section added at the file's end where missing);
// every other line, comments included, as it was.
QByteArray WithIniValue(const QByteArray& text, const QByteArray& section, const QByteArray& key,
                        const QByteArray& value);

// The session's switches, written from the window's menus.
enum class SessionSwitch { StartWithSession, StopWhileLocked };
// Writes one switch into desktop.ini, keeping the rest of it. False when it could not, with
// `failure` naming the file and why; the file is then as it was.
bool SaveSessionSwitch(SessionSwitch which, bool on, QString& failure);

// The name a timesheet is made out to: desktop.ini's, else the account's full name, else the
// login name.
QString TimesheetName(const DesktopPreferences& preferences);

}  // namespace tallimer
