#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <QVariant>
#include <optional>
#include <utility>
#include <vector>

namespace tallimer::platform {

// The handheld's registry, kept in DeviceFolder()/registry.ini. A key such as
// "SOFTWARE\Quorvane\Tallimer" under the local-machine root is the settings group
// "HKEY_LOCAL_MACHINE/SOFTWARE/Quorvane/Tallimer".

// Whether the key can be opened for reading (it exists and the store is readable).
bool RegistryKeyExists(QStringView key);
// A value of the key; nullopt when the key or the value is missing.
std::optional<QVariant> RegistryQueryValue(QStringView key, QStringView name);
// Creates the key when needed and writes the values. False when the store cannot be written.
bool RegistrySetValues(QStringView key, const std::vector<std::pair<QString, QVariant>>& values);

}  // namespace tallimer::platform
