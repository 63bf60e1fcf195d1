#include "operations/desktop_preferences_store.h"

#include <QSettings>
#include <QTime>

#include "platform/account_name.h"
#include "platform/device_folder.h"
#include "platform/diagnostics.h"
#include "platform/own_file.h"

namespace tallimer {

namespace {

constexpr char kTargetReached[] = "Reminders/TargetReached";
constexpr char kStillWorking[] = "Reminders/StillWorking";
constexpr char kNotStarted[] = "Reminders/NotStarted";
constexpr char kNotStartedBy[] = "Reminders/NotStartedBy";
constexpr char kKeepRunning[] = "Tray/KeepRunningWhenClosed";
constexpr char kName[] = "name";
constexpr char kStartWithSession[] = "Session/StartWithSession";
constexpr char kStopWhileLocked[] = "Session/StopWhileLocked";
constexpr char kAbsenceMinutes[] = "Session/AbsenceMinutes";

bool ReadBool(const QSettings& file, const char* key, bool fallback) {
    const QVariant value = file.value(QLatin1String(key));
    if (!value.isValid()) {
        return fallback;
    }
    const QString text = value.toString().trimmed().toLower();
    if (text == u"true" || text == u"1" || text == u"yes" || text == u"on") {
        return true;
    }
    if (text == u"false" || text == u"0" || text == u"no" || text == u"off") {
        return false;
    }
    return fallback;
}

}  // namespace

QString DesktopPreferencesFilePath() {
    return platform::DeviceFolder() + QStringLiteral("/desktop.ini");
}

DesktopPreferences LoadDesktopPreferences() {
    DesktopPreferences preferences;
    // QSettings would follow a link and wait on a FIFO.
    if (const int reason = platform::ForeignReason(DesktopPreferencesFilePath()); reason != 0) {
        platform::ReportHostFailure(
            "load desktop preferences", DesktopPreferencesFilePath(),
            platform::SystemReason(reason) + QStringLiteral("; defaults used"));
        return preferences;
    }
    const QSettings file(DesktopPreferencesFilePath(), QSettings::IniFormat);
    preferences.targetReachedReminder =
        ReadBool(file, kTargetReached, preferences.targetReachedReminder);
    preferences.stillWorkingReminder =
        ReadBool(file, kStillWorking, preferences.stillWorkingReminder);
    preferences.notStartedReminder = ReadBool(file, kNotStarted, preferences.notStartedReminder);
    const QTime by = QTime::fromString(
        file.value(QLatin1String(kNotStartedBy)).toString().trimmed(), QStringLiteral("H:mm"));
    if (by.isValid()) {
        preferences.notStartedBy = by.hour() * 60 + by.minute();
    }
    preferences.keepRunningInTray = ReadBool(file, kKeepRunning, preferences.keepRunningInTray);
    preferences.name = file.value(QLatin1String(kName)).toString().trimmed();
    preferences.startWithSession = ReadBool(file, kStartWithSession, preferences.startWithSession);
    preferences.stopWhileLocked = ReadBool(file, kStopWhileLocked, preferences.stopWhileLocked);
    bool isNumber = false;
    const int minutes =
        file.value(QLatin1String(kAbsenceMinutes)).toString().trimmed().toInt(&isNumber);
    if (isNumber && minutes >= 0) {
        preferences.absenceMinutes = minutes;
    }
    if (file.status() != QSettings::NoError) {
        platform::ReportHostFailure("load desktop preferences", file.fileName(),
                                    file.status() == QSettings::FormatError
                                        ? QStringLiteral("not in INI format, defaults used")
                                        : QStringLiteral("cannot be read, defaults used"));
    }
    return preferences;
}

bool SaveSessionSwitch(SessionSwitch which, bool on, QString& failure) {
    const QString path = DesktopPreferencesFilePath();
    // Not written through a link or onto a FIFO, as it is not read through one.
    if (const int reason = platform::ForeignReason(path); reason != 0) {
        failure = path + QStringLiteral(": ") + platform::SystemReason(reason);
        return false;
    }
    QSettings file(path, QSettings::IniFormat);
    if (file.status() != QSettings::NoError) {
        failure = path + QStringLiteral(": not in INI format");
        return false;
    }
    file.setValue(QLatin1String(which == SessionSwitch::StartWithSession ? kStartWithSession
                                                                         : kStopWhileLocked),
                  on);
    file.sync();
    if (file.status() != QSettings::NoError) {
        failure = path + QStringLiteral(": cannot be written");
        return false;
    }
    return true;
}

QString TimesheetName(const DesktopPreferences& preferences) {
    return preferences.name.isEmpty() ? platform::AccountName() : preferences.name;
}

}  // namespace tallimer
