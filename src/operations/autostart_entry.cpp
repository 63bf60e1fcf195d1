#include "operations/autostart_entry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include "resources/app_info.h"
#include "resources/string_table.h"

namespace tallimer {

namespace {

// Characters that the desktop entry rules allow in an Exec argument only inside quotes.
bool IsReserved(QChar c) {
    return QStringView(u" \t\n\"'\\><~|&;$*?#()`").contains(c);
}

// Inside quotes these four take a backslash.
bool TakesBackslashInQuotes(QChar c) {
    return c == u'"' || c == u'`' || c == u'$' || c == u'\\';
}

// The escapes of a string value, applied after the quoting.
QString EscapedAsString(const QString& text) {
    QString escaped;
    for (const QChar c : text) {
        if (c == u'\\') {
            escaped += QStringLiteral("\\\\");
        } else if (c == u'\n') {
            escaped += QStringLiteral("\\n");
        } else if (c == u'\t') {
            escaped += QStringLiteral("\\t");
        } else if (c == u'\r') {
            escaped += QStringLiteral("\\r");
        } else {
            escaped += c;
        }
    }
    return escaped;
}

}  // namespace

QString AutostartEntryPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart/") + QString::fromLatin1(kAppId) + QStringLiteral(".desktop");
}

bool AutostartEntryExists() {
    return QFileInfo::exists(AutostartEntryPath());
}

QString DesktopExecArgument(const QString& argument) {
    QString quoted;
    bool reserved = argument.isEmpty();
    for (const QChar c : argument) {
        reserved = reserved || IsReserved(c);
        if (TakesBackslashInQuotes(c)) {
            quoted += u'\\';
        }
        quoted += c;
    }
    // A literal percent sign would start a field code.
    QString argumentText =
        reserved ? QStringLiteral("\"") + quoted + QStringLiteral("\"") : argument;
    argumentText.replace(u'%', QStringLiteral("%%"));
    return EscapedAsString(argumentText);
}

QByteArray AutostartEntryText(const QString& program, const QString& home) {
    QString exec = DesktopExecArgument(program);
    if (!home.isEmpty()) {
        exec = QStringLiteral("env ") +
               DesktopExecArgument(QStringLiteral("TALLIMER_HOME=") + home) + u' ' + exec;
    }
    const QString text =
        QStringLiteral(
            "[Desktop Entry]\n"
            "Type=Application\n"
            "Name=%1\n"
            "Comment=Record when work starts and stops\n"
            "Exec=%2\n"
            "Icon=%3\n"
            "Terminal=false\n"
            "X-GNOME-Autostart-enabled=true\n")
            .arg(LoadString(StringId::AppTitle), exec, QString::fromLatin1(kAppId));
    return text.toUtf8();
}

bool SetAutostartEntry(bool on, const QString& program, QString& failure) {
    const QString path = AutostartEntryPath();
    if (!on) {
        QFile entry(path);
        if (entry.exists() && !entry.remove()) {
            failure = path + QStringLiteral(": ") + entry.errorString();
            return false;
        }
        return true;
    }
    // The session starts in another folder: a relative device folder is made absolute here.
    const QString home = qEnvironmentVariable("TALLIMER_HOME");
    const QByteArray text =
        AutostartEntryText(program, home.isEmpty() ? home : QFileInfo(home).absoluteFilePath());
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile entry(path);
    if (!entry.open(QIODevice::WriteOnly) || entry.write(text) != text.size() || !entry.commit()) {
        failure = path + QStringLiteral(": ") + entry.errorString();
        return false;
    }
    return true;
}

}  // namespace tallimer
