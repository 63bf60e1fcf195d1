#include "platform/diagnostics.h"

#include <cstring>

#include "platform/device_folder.h"

namespace tallimer::platform {

Q_LOGGING_CATEGORY(lcStorage, "tallimer.storage", QtWarningMsg)

void ReportFailure(const char* operation, QStringView handheldPath, int error) {
    ReportHostFailure(operation, HostPath(handheldPath), SystemReason(error));
}

void ReportHostFailure(const char* operation, const QString& hostPath, const QString& reason) {
    qCWarning(lcStorage, "%s: %s: %s", operation, qUtf8Printable(hostPath), qUtf8Printable(reason));
}

QString SystemReason(int error) {
    switch (error) {
        case kNotRegularFile:
            return QStringLiteral("not a regular file");
        case kSymbolicLink:
            return QStringLiteral("a symbolic link");
        case kOtherLinks:
            return QStringLiteral("has other hard links");
        case kOtherOwner:
            return QStringLiteral("owned by another user");
        case kForeignContent:
            return QStringLiteral("not in the format this program writes");
        case kHeldTooLong:
            return QStringLiteral("held for longer than a write takes");
        default:
            return QString::fromLocal8Bit(std::strerror(error));
    }
}

}  // namespace tallimer::platform
