#include "operations/desktop_preferences_store.h"

#include <QSettings>
#include <QTime>

#include "platform/account_name.h"
#include "platform/device_folder.h"
#include "platform/diagnostics.h"
#include "platform/file.h"
#include "platform/own_file.h"

namespace tallimer {

namespace {

constexpr char kTargetReached[] = "Reminders/TargetReached";
constexpr char kStillWorking[] = "Reminders/StillWorking";
constexpr char kNotStarted[] = "Reminders/NotStarted";
constexpr char kNotStartedBy[] = "Reminders/NotStartedBy";
constexpr char kKeepRunning[] = "Tray/KeepRunningWhenClosed";
constexpr char kName[] = "name";
constexpr char kZoom[] = "Window/Zoom";
constexpr long long kLargestPreferences = 1 << 20;
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
    preferences.zoom = file.value(QLatin1String(kZoom)).toString().trimmed().toInt();
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

namespace {
// Sets one value of desktop.ini (`key` as QSettings names it, "Section/Key"), the rest of the
// file kept byte for byte; false with errno set when the file cannot be read or replaced.
bool SetDesktopValue(const char* key, const QByteArray& value) {
    const QByteArray name(key);
    const qsizetype slash = name.indexOf('/');
    const QString path = DesktopPreferencesFilePath();
    std::string text;
    const platform::OwnRead read = platform::ReadOwnFile(path, kLargestPreferences, text);
    if (read == platform::OwnRead::Failed || read == platform::OwnRead::Foreign) {
        return false;
    }
    const QByteArray changed =
        WithIniValue(QByteArray::fromStdString(text), name.left(slash), name.mid(slash + 1), value);
    return platform::Replacement::ForOwnFile(path).commitWith(
        std::string_view(changed.constData(), size_t(changed.size())));
}
}  // namespace

bool SaveZoom(int percent) {
    if (!SetDesktopValue(kZoom, QByteArray::number(percent))) {
        platform::ReportHostFailure("save the window's zoom", DesktopPreferencesFilePath(),
                                    platform::SystemReason(errno));
        return false;
    }
    return true;
}

bool SaveSessionSwitch(SessionSwitch which, bool on, QString& failure) {
    if (!SetDesktopValue(
            which == SessionSwitch::StartWithSession ? kStartWithSession : kStopWhileLocked,
            on ? "true" : "false")) {
        failure =
            DesktopPreferencesFilePath() + QStringLiteral(": ") + platform::SystemReason(errno);
        return false;
    }
    return true;
}

QByteArray WithIniValue(const QByteArray& text, const QByteArray& section, const QByteArray& key,
                        const QByteArray& value) {
    QList<QByteArray> lines = text.split('\n');
    if (lines.size() > 1 && lines.back().isEmpty()) {
        lines.removeLast();  // the last line's line end
    } else if (lines.size() == 1 && lines.front().isEmpty()) {
        lines.clear();
    }
    const QByteArray header = '[' + section + ']';
    const QByteArray line = key + '=' + value;
    bool inSection = false;
    for (QByteArray& each : lines) {
        const QByteArray trimmed = each.trimmed();
        if (trimmed.startsWith('[')) {
            inSection = trimmed.compare(header, Qt::CaseInsensitive) == 0;
        } else if (const qsizetype equals = trimmed.indexOf('=');
                   inSection && equals > 0 &&
                   trimmed.left(equals).trimmed().compare(key, Qt::CaseInsensitive) == 0) {
            each = line;
            return lines.join('\n') + '\n';
        }
    }
    // A new line where the section's lines end (at a blank line or the next section).
    qsizetype at = -1;
    for (qsizetype i = 0; i < lines.size() && at < 0; ++i) {
        if (lines[i].trimmed().compare(header, Qt::CaseInsensitive) == 0) {
            at = i + 1;
            while (at < lines.size() && !lines[at].trimmed().startsWith('[') &&
                   !lines[at].trimmed().isEmpty()) {
                ++at;
            }
        }
    }
    if (at < 0) {
        if (!lines.isEmpty() && !lines.back().trimmed().isEmpty()) {
            lines.append(QByteArray());
        }
        lines.append(header);
        at = lines.size();
    }
    lines.insert(at, line);
    return lines.join('\n') + '\n';
}

QString TimesheetName(const DesktopPreferences& preferences) {
    return preferences.name.isEmpty() ? platform::AccountName() : preferences.name;
}

}  // namespace tallimer
