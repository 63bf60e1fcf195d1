#pragma once

#include <QByteArray>
#include <QString>

namespace tallimer {

// "Start with the session": an XDG autostart entry named as the installed desktop entry,
// $XDG_CONFIG_HOME/autostart/<app id>.desktop (by default below ~/.config).
QString AutostartEntryPath();
bool AutostartEntryExists();

// One argument of a desktop entry's Exec line: quoted where the desktop entry rules reserve a
// character, then escaped as a string value is.
QString DesktopExecArgument(const QString& argument);

// The entry's text: `program` (an absolute path) started, with TALLIMER_HOME set to `home`
// when that is not empty, so the session starts the same device folder.
QByteArray AutostartEntryText(const QString& program, const QString& home);

// Writes the entry for `program` and the TALLIMER_HOME of this process (on), or removes it
// (off). False when that failed, with `failure` naming the file and why; the entry is then as
// it was.
bool SetAutostartEntry(bool on, const QString& program, QString& failure);

}  // namespace tallimer
