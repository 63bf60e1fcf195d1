#include "platform/registry.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <memory>

#include "platform/device_folder.h"
#include "platform/diagnostics.h"
#include "platform/own_file.h"

namespace tallimer::platform {

namespace {

const QString kNotRegular = QStringLiteral("not a regular file");

QString GroupOf(QStringView key) {
    QString group = QStringLiteral("HKEY_LOCAL_MACHINE/") + key.toString();
    group.replace(u'\\', u'/');
    return group;
}

// A fresh QSettings per call, so a changed TALLIMER_HOME (a test case's own device folder)
// is always the store in use. Null when the store is there but no regular file: QSettings
// would block on a FIFO, so it is not let near one.
std::unique_ptr<QSettings> OpenKey(QStringView key) {
    struct stat info {};
    if (::stat(QFile::encodeName(RegistryFilePath()).constData(), &info) == 0 &&
        !S_ISREG(info.st_mode)) {
        return nullptr;
    }
    auto settings = std::make_unique<QSettings>(RegistryFilePath(), QSettings::IniFormat);
    settings->beginGroup(GroupOf(key));
    return settings;
}

// QSettings tells only that the store failed; opening it the same way gives the reason.
void ReportStoreFailure(const char* operation, const QSettings& settings,
                        QIODevice::OpenMode mode) {
    QFile file(settings.fileName());
    QString reason = QStringLiteral("not in the registry's format");
    if (settings.status() == QSettings::AccessError) {
        if (!file.exists()) {
            reason = QStringLiteral("its folder cannot be written");
        } else if (!file.open(mode | QIODevice::ExistingOnly)) {
            reason = file.errorString();
        } else {
            reason = QStringLiteral("cannot be written");
        }
    }
    ReportHostFailure(operation, settings.fileName(), reason);
}

// Whether the registry's file reads as one: an INI file of sections, comments and "key=value"
// lines, as QSettings writes it. QSettings takes nearly any bytes for INI, so a link to some
// other file (a program, a script) would be written over without this look.
bool ReadsAsRegistry(const QString& path) {
    constexpr qint64 kMostRegistry = 4 * 1024 * 1024;
    QFile file(path);
    if (!file.exists()) {
        return true;
    }
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMostRegistry) {
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (bytes.contains('\0')) {
        return false;
    }
    for (const QByteArray& raw : bytes.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (!line.isEmpty() && !line.startsWith('[') && !line.startsWith(';') &&
            !line.startsWith('#') && !line.contains('=')) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool RegistryKeyExists(QStringView key) {
    const auto settings = OpenKey(key);
    if (settings == nullptr) {
        ReportHostFailure("read registry", RegistryFilePath(), kNotRegular);
        return false;
    }
    if (settings->status() != QSettings::NoError) {
        ReportStoreFailure("read registry", *settings, QIODevice::ReadOnly);
    }
    return settings->status() != QSettings::AccessError && !settings->allKeys().isEmpty();
}

std::optional<QVariant> RegistryQueryValue(QStringView key, QStringView name) {
    const auto settings = OpenKey(key);
    const QString valueName = name.toString();
    if (settings == nullptr || settings->status() == QSettings::AccessError ||
        !settings->contains(valueName)) {
        return std::nullopt;
    }
    return settings->value(valueName);
}

bool RegistrySetValues(QStringView key, const std::vector<std::pair<QString, QVariant>>& values) {
    QDir().mkpath(DeviceFolder());
    // QSettings waits for its lock file as long as it looks held: one planted there is
    // cleared first, so a save never hangs on it.
    if (!ClearForeignLock("write registry", RegistryFilePath() + QStringLiteral(".lock"), true)) {
        return false;
    }
    const auto settings = OpenKey(key);
    if (settings == nullptr) {
        ReportHostFailure("write registry", RegistryFilePath(), kNotRegular);
        return false;
    }
    // A file that does not read as a registry (a link to someone else's file, say) is never
    // written over.
    if (settings->status() == QSettings::FormatError || !ReadsAsRegistry(RegistryFilePath())) {
        ReportHostFailure("write registry", RegistryFilePath(), SystemReason(kForeignContent));
        return false;
    }
    for (const auto& [name, value] : values) {
        settings->setValue(name, value);
    }
    settings->sync();
    if (settings->status() != QSettings::NoError) {
        ReportStoreFailure("write registry", *settings, QIODevice::ReadWrite);
        return false;
    }
    return true;
}

}  // namespace tallimer::platform
