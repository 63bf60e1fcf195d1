#include "platform/own_file.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QLockFile>
#include <chrono>
#include <thread>

#include "platform/diagnostics.h"
#include "platform/fault.h"
#include "platform/file.h"
#include "platform/file_identity.h"
#include "platform/file_steps.h"

namespace tallimer::platform {

namespace {

// How long a lock that guards a write may be held before it counts as planted.
constexpr auto kWriteLockWait = std::chrono::milliseconds(1000);
constexpr auto kWriteLockPoll = std::chrono::milliseconds(20);

int ReasonOf(const struct stat& info) {
    if (S_ISLNK(info.st_mode)) {
        return kSymbolicLink;
    }
    if (!S_ISREG(info.st_mode)) {
        return kNotRegularFile;
    }
    if (info.st_nlink != 1) {
        return kOtherLinks;
    }
    if (info.st_uid != ::geteuid()) {
        return kOtherOwner;
    }
    return 0;
}

// QLockFile creates its file and then writes the holder into it: a lock that another start is
// taking at this moment is empty for an instant, which is no junk. Only content that stays
// unreadable for as long as a write may take counts as foreign; a file that goes or changes
// in the meantime is someone's lock.
bool ReadsAsLock(const QString& lockPath, const FileIdentity& held) {
    const auto deadline = std::chrono::steady_clock::now() + kWriteLockWait;
    for (;;) {
        QLockFile probe(lockPath);
        qint64 pid = 0;
        QString host;
        QString application;
        if (probe.getLockInfo(&pid, &host, &application) || IdentifyHostFile(lockPath) != held) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(kWriteLockPoll);
    }
}

bool IsOwnReason(int error) {
    return error >= kNotRegularFile && error <= kHeldTooLong;
}

}  // namespace

File File::OpenOwn(const QString& hostPath) {
    if (StepFails(FileStep::Open)) {
        return File();
    }
    // Non-blocking, so a FIFO cannot hang the open; a socket does not open at all.
    const int fd = ::open(QFile::encodeName(hostPath).constData(),
                          O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ELOOP) {
            errno = kSymbolicLink;
        } else if (errno == ENXIO) {
            errno = kNotRegularFile;
        }
        return File();
    }
    struct stat info {};
    int reason = ::fstat(fd, &info) == 0 ? ReasonOf(info) : errno;
    if (reason == 0) {
        reason = EndNonBlocking(fd);
    }
    if (reason != 0) {
        CloseQuietly(fd);
        errno = reason;
        return File();
    }
    return File(fd);
}

OwnRead ReadOwnFile(const QString& hostPath, long long limit, std::string& out) {
    out.clear();
    File file = File::OpenOwn(hostPath);
    if (!file.isOpen()) {
        if (errno == ENOENT) {
            return OwnRead::Missing;
        }
        return IsOwnReason(errno) ? OwnRead::Foreign : OwnRead::Failed;
    }
    out.resize(size_t(limit));
    long long filled = 0;
    while (filled < limit) {
        const long long got = file.read(out.data() + filled, limit - filled);
        if (got < 0) {
            out.clear();
            return OwnRead::Failed;
        }
        if (got == 0) {
            break;
        }
        filled += got;
    }
    out.resize(size_t(filled));
    return OwnRead::Read;
}

int ForeignReason(const QString& hostPath) {
    struct stat info {};
    if (::lstat(QFile::encodeName(hostPath).constData(), &info) != 0) {
        return errno == ENOENT ? 0 : errno;
    }
    return ReasonOf(info);
}

bool RemoveForeign(const char* operation, const QString& hostPath, int reason) {
    const QByteArray path = QFile::encodeName(hostPath);
    struct stat info {};
    const bool folder = ::lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode);
    const bool removed =
        (folder ? ::rmdir(path.constData()) : ::unlink(path.constData())) == 0 || errno == ENOENT;
    ReportHostFailure(operation, hostPath,
                      SystemReason(reason) + (removed ? QStringLiteral("; removed")
                                                      : QStringLiteral("; cannot be removed: ") +
                                                            SystemReason(errno)));
    return removed;
}

bool ClearForeignLock(const char* operation, const QString& lockPath, bool holderMayLeave) {
    int reason = ForeignReason(lockPath);
    const FileIdentity held = IdentifyHostFile(lockPath);
    if (reason == 0 && held.exists) {
        if (!ReadsAsLock(lockPath, held)) {
            reason = kForeignContent;
        } else if (holderMayLeave) {
            const auto deadline = std::chrono::steady_clock::now() + kWriteLockWait;
            while (IdentifyHostFile(lockPath) == held) {
                if (std::chrono::steady_clock::now() >= deadline) {
                    reason = kHeldTooLong;
                    break;
                }
                std::this_thread::sleep_for(kWriteLockPoll);
            }
        }
    }
    return reason == 0 || RemoveForeign(operation, lockPath, reason);
}

}  // namespace tallimer::platform
