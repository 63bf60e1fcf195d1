#pragma once

#include <QString>
#include <QStringView>

namespace tallimer::platform {

// The host folder that stands for the handheld: TALLIMER_HOME, else $XDG_DATA_HOME/Tallimer,
// else ~/.local/share/Tallimer. Read anew on every call so tests can switch it per case.
QString DeviceFolder();

// The handheld's file-system root: DeviceFolder()/files.
QString FilesRoot();

// The host path of a handheld path. "\" and "/" both separate folders; a path with or
// without a leading separator resolves from the root; ".." stops at the root, so the
// result always lies inside FilesRoot().
QString HostPath(QStringView handheldPath);

// DeviceFolder()/registry.ini.
QString RegistryFilePath();

}  // namespace tallimer::platform
