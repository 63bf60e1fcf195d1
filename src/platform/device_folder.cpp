#include "platform/device_folder.h"

#include <QDir>
#include <QStringList>

namespace tallimer::platform {

QString DeviceFolder() {
    const QString home = qEnvironmentVariable("TALLIMER_HOME");
    if (!home.isEmpty()) {
        return home;
    }
    // A relative XDG_DATA_HOME is invalid and ignored, as the XDG rules say.
    const QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (!dataHome.isEmpty() && QDir::isAbsolutePath(dataHome)) {
        return dataHome + QStringLiteral("/Tallimer");
    }
    return QDir::homePath() + QStringLiteral("/.local/share/Tallimer");
}

QString FilesRoot() {
    return DeviceFolder() + QStringLiteral("/files");
}

QString HostPath(QStringView handheldPath) {
    // A handheld path ends at its first NUL; the host would cut it there too, after the
    // ".." check, and could then leave files/.
    const qsizetype nul = handheldPath.indexOf(QChar(u'\0'));
    if (nul >= 0) {
        handheldPath = handheldPath.left(nul);
    }

    QStringList parts;
    qsizetype start = 0;
    while (start <= handheldPath.size()) {
        qsizetype end = start;
        while (end < handheldPath.size() && handheldPath[end] != u'\\' &&
               handheldPath[end] != u'/') {
            ++end;
        }
        const QStringView part = handheldPath.mid(start, end - start);
        if (part == u"..") {
            if (!parts.isEmpty()) {
                parts.removeLast();
            }
        } else if (!part.isEmpty() && part != u".") {
            parts.append(part.toString());
        }
        start = end + 1;
    }

    QString path = FilesRoot();
    for (const QString& part : parts) {
        path += u'/';
        path += part;
    }
    return path;
}

QString RegistryFilePath() {
    return DeviceFolder() + QStringLiteral("/registry.ini");
}

}  // namespace tallimer::platform
