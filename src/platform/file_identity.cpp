#include "platform/file_identity.h"

#include <sys/stat.h>

#include <QFile>

#include "platform/device_folder.h"

namespace tallimer::platform {

FileIdentity IdentityOf(const struct stat& info) {
    if (!S_ISREG(info.st_mode)) {
        return {};
    }
    constexpr long long kNs = 1000000000LL;
    return {true,
            static_cast<unsigned long long>(info.st_dev),
            static_cast<unsigned long long>(info.st_ino),
            static_cast<long long>(info.st_size),
            info.st_mtim.tv_sec * kNs + info.st_mtim.tv_nsec,
            info.st_ctim.tv_sec * kNs + info.st_ctim.tv_nsec};
}

FileIdentity IdentifyHostFile(const QString& hostPath) {
    struct stat info {};
    if (hostPath.isEmpty() || ::stat(QFile::encodeName(hostPath).constData(), &info) != 0) {
        return {};
    }
    return IdentityOf(info);
}

FileIdentity IdentifyFile(QStringView handheldPath) {
    return IdentifyHostFile(HostPath(handheldPath));
}

}  // namespace tallimer::platform
