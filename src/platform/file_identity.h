#pragma once

#include <QString>
#include <QStringView>

struct stat;  // <sys/stat.h>

namespace tallimer::platform {

// Which file a path names and in which state, as far as stat(2) tells: enough to see that
// another program wrote or replaced it.
struct FileIdentity {
    bool exists = false;
    unsigned long long device = 0;
    unsigned long long inode = 0;
    long long size = 0;
    long long modifiedNs = 0;
    long long changedNs = 0;  // the inode's change time, which no program can set back
    bool operator==(const FileIdentity&) const = default;
};

FileIdentity IdentifyHostFile(const QString& hostPath);
// The identity of what stat(2) told; nothing unless it is a regular file.
FileIdentity IdentityOf(const struct stat& info);
FileIdentity IdentifyFile(QStringView handheldPath);

}  // namespace tallimer::platform
