#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cstring>
#include <utility>

#include "platform/device_folder.h"
#include "platform/diagnostics.h"
#include "platform/fault.h"
#include "platform/file.h"
#include "platform/file_steps.h"

namespace tallimer::platform {

namespace {

constexpr mode_t kNewFileMode = 0666;
constexpr char kReplacementInfix[] = ".new-";
constexpr int kReplacementSuffixLength = 6;
constexpr char kSuffixCharacters[] =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

// The file a replacement stands in for: a symlink's final target, so the link stays.
QString ResolvedTarget(const QString& hostPath) {
    const QFileInfo info(hostPath);
    if (info.isSymLink()) {
        const QString target = info.canonicalFilePath();
        if (!target.isEmpty()) {
            return target;
        }
    }
    return info.absoluteFilePath();
}

QByteArray RandomSuffix() {
    QByteArray suffix;
    for (int i = 0; i < kReplacementSuffixLength; ++i) {
        suffix += kSuffixCharacters[QRandomGenerator::global()->bounded(
            int(sizeof kSuffixCharacters - 1))];
    }
    return suffix;
}

bool IsReplacementName(const QString& name, const QString& targetName) {
    const QString prefix = targetName + QLatin1String(kReplacementInfix);
    if (name.size() != prefix.size() + kReplacementSuffixLength || !name.startsWith(prefix)) {
        return false;
    }
    for (const QChar c : QStringView(name).sliced(prefix.size())) {
        if (c.unicode() > 127 || !std::strchr(kSuffixCharacters, char(c.unicode()))) {
            return false;
        }
    }
    return true;
}

// A temporary that is not a regular file (a link, a FIFO, a socket, a folder planted under a
// temporary's name) is no writer's: it goes too, unfollowed.
void RemoveStaleBeside(const QString& resolvedTarget) {
    const QFileInfo target(resolvedTarget);
    const QDir folder = target.absoluteDir();
    const QStringList candidates =
        folder.entryList({target.fileName() + QLatin1String(kReplacementInfix) + u'*'},
                         QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : candidates) {
        if (!IsReplacementName(name, target.fileName())) {
            continue;
        }
        const QByteArray path = QFile::encodeName(folder.filePath(name));
        struct stat info {};
        if (::lstat(path.constData(), &info) != 0) {
            continue;
        }
        if (S_ISDIR(info.st_mode)) {
            ::rmdir(path.constData());
            continue;
        }
        const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        // A writer holds its temporary locked until it is renamed or removed.
        if (fd < 0 || !S_ISREG(info.st_mode) || ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            ::unlink(path.constData());
        }
        CloseQuietly(fd);
    }
}

// The new file gets the old one's owner where permitted (the group alone when only that is),
// then its mode; chown comes first, as it may clear set-id bits.
bool CopyAttributes(int fd, const struct stat& old) {
    if (StepFails(FileStep::Attributes)) {
        return false;
    }
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
        [[maybe_unused]] const int ignored = ::fchown(fd, uid_t(-1), old.st_gid);
    }
    return ::fchmod(fd, old.st_mode & 07777) == 0;
}

// rename(2), made durable: the rename is done once it returns, so syncing the folder is best
// effort, and its failure does not report the replaced file as unchanged.
bool RenameDurably(const QByteArray& from, const QByteArray& to) {
    if (StepFails(FileStep::Rename) || ::rename(from.constData(), to.constData()) != 0) {
        return false;
    }
    const QByteArray folder = QFile::encodeName(QFileInfo(QFile::decodeName(to)).absolutePath());
    const int dirFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        CloseQuietly(dirFd);
    }
    return true;
}

}  // namespace

Replacement Replacement::Beside(QStringView targetHandheldPath) {
    return BesideHostFile(HostPath(targetHandheldPath));
}

Replacement Replacement::BesideHostFile(const QString& targetHostPath) {
    return open(ResolvedTarget(targetHostPath), Target::UserFile);
}

Replacement Replacement::ForOwnFile(const QString& hostPath) {
    return open(QFileInfo(hostPath).absoluteFilePath(), Target::OwnFile);
}

Replacement Replacement::open(const QString& target, Target kind) {
    if (StepFails(FileStep::Open)) {
        return {};
    }
    QDir().mkpath(QFileInfo(target).absolutePath());

    Replacement replacement;
    replacement.target_ = QFile::encodeName(target);
    struct stat old {};
    const bool replacesFile = ::lstat(replacement.target_.constData(), &old) == 0;
    // A user's file is only ever replaced by a file; an own file's name takes the new file
    // whatever was planted there, as the rename replaces the name and never follows it. A
    // folder cannot be renamed over.
    if (replacesFile &&
        (S_ISDIR(old.st_mode) || (kind == Target::UserFile && !S_ISREG(old.st_mode)))) {
        errno = S_ISDIR(old.st_mode) ? EISDIR : kNotRegularFile;
        return {};
    }
    // New and exclusive under a fresh name: nothing planted at a name is ever written through.
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        replacement.temporary_ = replacement.target_ + kReplacementInfix + RandomSuffix();
        fd = ::open(replacement.temporary_.constData(),
                    O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kNewFileMode);
        if (fd < 0 && errno != EEXIST) {
            return {};
        }
    }
    if (fd < 0) {
        return {};
    }
    replacement.file_ = File(fd);
    // An own file's attributes are never taken from whatever was planted under its name.
    const bool copies = replacesFile && kind == Target::UserFile;
    if (!TakeLock(fd, true) || (copies && !CopyAttributes(fd, old))) {
        return {};  // the destructor removes the temporary
    }
    return replacement;
}

Replacement::Replacement(Replacement&& other) noexcept
    : file_(std::move(other.file_)),
      temporary_(std::exchange(other.temporary_, {})),
      target_(std::move(other.target_)) {}

Replacement& Replacement::operator=(Replacement&& other) noexcept {
    if (this != &other) {
        abandon();
        file_ = std::move(other.file_);
        temporary_ = std::exchange(other.temporary_, {});
        target_ = std::move(other.target_);
    }
    return *this;
}

Replacement::~Replacement() {
    abandon();
}

bool Replacement::commit() {
    if (!file_.isOpen()) {
        return false;
    }
    const bool flushed = file_.flush();
    if (!file_.close() || !flushed || !RenameDurably(temporary_, target_)) {
        abandon();
        return false;
    }
    temporary_.clear();
    return true;
}

bool Replacement::commitWith(std::string_view bytes) {
    return isOpen() && file_.write(bytes) && commit();
}

void Replacement::abandon() {
    const int reason = errno;  // the failure's, for its report
    if (!temporary_.isEmpty()) {
        ::unlink(temporary_.constData());
        temporary_.clear();
    }
    file_ = File();
    errno = reason;
}

void RemoveStaleReplacements(QStringView targetHandheldPath) {
    RemoveStaleReplacementsOfHostFile(HostPath(targetHandheldPath));
}

void RemoveStaleReplacementsOfHostFile(const QString& targetHostPath) {
    RemoveStaleBeside(ResolvedTarget(targetHostPath));
}

void RemoveStaleReplacementsOfOwnFile(const QString& hostPath) {
    RemoveStaleBeside(QFileInfo(hostPath).absoluteFilePath());
}

bool LinkFile(QStringView fromHandheldPath, QStringView toHandheldPath) {
    const QByteArray to = QFile::encodeName(HostPath(toHandheldPath));
    if (::unlink(to.constData()) != 0 && errno != ENOENT) {
        return false;
    }
    return ::linkat(AT_FDCWD, QFile::encodeName(HostPath(fromHandheldPath)).constData(), AT_FDCWD,
                    to.constData(), AT_SYMLINK_FOLLOW) == 0;
}

}  // namespace tallimer::platform
