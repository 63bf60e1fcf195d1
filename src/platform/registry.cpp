#include "platform/registry.h"

#include <QDir>
#include <QSettings>
#include <memory>

#include "platform/device_folder.h"

namespace tallimer::platform {

namespace {

QString GroupOf(QStringView key) {
    QString group = QStringLiteral("HKEY_LOCAL_MACHINE/") + key.toString();
    group.replace(u'\\', u'/');
    return group;
}

// A fresh QSettings per call, so a changed TALLIMER_HOME (a test case's own device folder)
// is always the store in use.
std::unique_ptr<QSettings> OpenKey(QStringView key) {
    auto settings = std::make_unique<QSettings>(RegistryFilePath(), QSettings::IniFormat);
    settings->beginGroup(GroupOf(key));
    return settings;
}

}  // namespace

bool RegistryKeyExists(QStringView key) {
    const auto settings = OpenKey(key);
    return settings->status() != QSettings::AccessError && !settings->allKeys().isEmpty();
}

std::optional<QVariant> RegistryQueryValue(QStringView key, QStringView name) {
    const auto settings = OpenKey(key);
    const QString valueName = name.toString();
    if (settings->status() == QSettings::AccessError || !settings->contains(valueName)) {
        return std::nullopt;
    }
    return settings->value(valueName);
}

bool RegistrySetValues(QStringView key, const std::vector<std::pair<QString, QVariant>>& values) {
    QDir().mkpath(DeviceFolder());
    const auto settings = OpenKey(key);
    for (const auto& [name, value] : values) {
        settings->setValue(name, value);
    }
    settings->sync();
    return settings->status() == QSettings::NoError;
}

}  // namespace tallimer::platform
