#include "platform/file.h"

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
#include <algorithm>
#include <chrono>
#include <climits>
#include <cstring>
#include <thread>
#include <utility>

#include "platform/device_folder.h"
#include "platform/fault.h"

namespace tallimer::platform {

namespace {

constexpr long long kReadChunk = 64 * 1024;
constexpr mode_t kNewFileMode = 0666;
// How long a writer waits for readers, or a reader for a writer, and how often it looks.
constexpr auto kLockWait = std::chrono::milliseconds(1000);
constexpr auto kLockPoll = std::chrono::milliseconds(10);
constexpr char kReplacementInfix[] = ".new-";
constexpr int kReplacementSuffixLength = 6;
constexpr char kSuffixCharacters[] =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

QByteArray NativePath(QStringView handheldPath) {
    return QFile::encodeName(HostPath(handheldPath));
}

// Closes without consulting the fault seam: for clean-up paths, whose result nobody uses.
void CloseQuietly(int fd) {
    if (fd >= 0) {
        ::close(fd);
    }
}

// Opens an existing path; fails on anything but a regular file, as the handheld has no
// other kind of file to open. Non-blocking until the check, so a FIFO or a device cannot
// hang the open. A file without any write permission is read-only for everyone, the owner
// included, as the handheld's read-only attribute was.
int OpenRegular(const QByteArray& path, int flags) {
    const int fd = ::open(path.constData(), flags | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    struct stat info {};
    int error = 0;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        error = EINVAL;
    } else if ((flags & O_ACCMODE) != O_RDONLY && (info.st_mode & 0222) == 0) {
        error = EACCES;
    } else {
        const int status = ::fcntl(fd, F_GETFL);
        if (status == -1 || ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) == -1) {
            error = errno;
        }
    }
    if (error != 0) {
        CloseQuietly(fd);
        errno = error;
        return -1;
    }
    return fd;
}

// Opens the path for reading and writing, creating it when missing; *created tells which
// happened.
int OpenCreating(const QByteArray& path, bool* created) {
    *created = false;
    // Another process may create or delete the file between the two opens; a few tries
    // settle that race without looping forever.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int fd = OpenRegular(path, O_RDWR);
        if (fd >= 0 || errno != ENOENT) {
            return fd;
        }
        const int createdFd =
            ::open(path.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
        if (createdFd >= 0) {
            *created = true;
            return createdFd;
        }
        if (errno != EEXIST) {
            return -1;
        }
    }
    return -1;
}

// Readers share the file; a writer holds it alone. Waiting is by polling, so a writer can
// tell readers (who leave soon) from another writer (who fails it at once, as specified).
bool TakeLock(int fd, bool exclusive) {
    if (StepFails(FileStep::Lock)) {
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + kLockWait;
    for (;;) {
        if (::flock(fd, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) == 0) {
            return true;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            return false;
        }
        if (exclusive) {
            // A shared lock is to be had only when every holder is a reader.
            if (::flock(fd, LOCK_SH | LOCK_NB) != 0) {
                return false;
            }
            ::flock(fd, LOCK_UN);
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(kLockPoll);
    }
}

bool TruncateFd(int fd, long long length) {
    if (length < 0 || StepFails(FileStep::Truncate)) {
        return false;
    }
    int result;
    do {
        result = ::ftruncate(fd, static_cast<off_t>(length));
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

// Writes all bytes, across partial writes and interruptions.
bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const size_t chunk = std::min<size_t>(size, SSIZE_MAX);
        const ssize_t written = ::write(fd, data, chunk);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (written == 0) {
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

// A creating open that cannot be completed leaves no file behind.
void Abandon(int fd, const QByteArray& path, bool created) {
    if (created) {
        ::unlink(path.constData());
    }
    CloseQuietly(fd);
}

}  // namespace

File::File(File&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        CloseQuietly(fd_);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

File::~File() {
    CloseQuietly(fd_);
}

File File::OpenExisting(QStringView handheldPath, Access access) {
    if (StepFails(FileStep::Open)) {
        return File();
    }
    int flags = O_RDONLY;
    if (access == Access::Write) {
        flags = O_WRONLY;
    } else if (access == Access::ReadWrite) {
        flags = O_RDWR;
    }
    const int fd = OpenRegular(NativePath(handheldPath), flags);
    if (fd < 0) {
        return File();
    }
    if (!TakeLock(fd, access != Access::Read)) {
        CloseQuietly(fd);
        return File();
    }
    return File(fd);
}

File File::OpenOrCreate(QStringView handheldPath, bool* created) {
    bool madeFile = false;
    if (created != nullptr) {
        *created = false;
    }
    if (StepFails(FileStep::Open)) {
        return File();
    }
    const QString hostPath = HostPath(handheldPath);
    QDir().mkpath(QFileInfo(hostPath).absolutePath());
    const QByteArray path = QFile::encodeName(hostPath);
    const int fd = OpenCreating(path, &madeFile);
    if (fd < 0) {
        return File();
    }
    if (!TakeLock(fd, true)) {
        Abandon(fd, path, madeFile);
        return File();
    }
    if (created != nullptr) {
        *created = madeFile;
    }
    return File(fd);
}

long long File::read(char* buffer, long long maxBytes) {
    if (fd_ < 0 || maxBytes < 0 || StepFails(FileStep::Read)) {
        return -1;
    }
    const size_t wanted = static_cast<size_t>(std::min<long long>(maxBytes, SSIZE_MAX));
    ssize_t got;
    do {
        got = ::read(fd_, buffer, wanted);
    } while (got < 0 && errno == EINTR);
    return got;
}

bool File::readToEnd(std::string& out) {
    // Room for the whole file up front, so a large journal is not copied as the text grows;
    // reading goes on until a read delivers nothing, whatever the size said.
    long long chunk = kReadChunk;
    struct stat info {};
    if (fd_ >= 0 && ::fstat(fd_, &info) == 0 && info.st_size > 0) {
        const off_t position = ::lseek(fd_, 0, SEEK_CUR);
        const long long remaining = position >= 0 ? info.st_size - position : 0;
        if (remaining > 0) {
            out.reserve(out.size() + size_t(remaining) + 1);
            chunk = std::max(chunk, remaining + 1);
        }
    }
    for (;;) {
        const size_t oldSize = out.size();
        out.resize(oldSize + size_t(chunk));
        const long long got = read(out.data() + oldSize, chunk);
        out.resize(oldSize + static_cast<size_t>(std::max(got, 0LL)));
        if (got <= 0) {
            return got == 0;
        }
    }
}

bool File::write(std::string_view bytes) {
    if (fd_ < 0) {
        return false;
    }
    if (StepFails(FileStep::Write)) {
        // A full disk: part of the data reaches the file, the rest does not.
        WriteAll(fd_, bytes.data(), bytes.size() / 2);
        return false;
    }
    return WriteAll(fd_, bytes.data(), bytes.size());
}

long long File::seekToEnd() {
    if (fd_ < 0 || StepFails(FileStep::Seek)) {
        return -1;
    }
    return ::lseek(fd_, 0, SEEK_END);
}

bool File::seekTo(long long position) {
    return fd_ >= 0 && position >= 0 && !StepFails(FileStep::Seek) &&
           ::lseek(fd_, static_cast<off_t>(position), SEEK_SET) == position;
}

bool File::truncate(long long length) {
    return fd_ >= 0 && TruncateFd(fd_, length);
}

bool File::flush() {
    if (fd_ < 0 || StepFails(FileStep::Flush)) {
        return false;
    }
    int result;
    do {
        result = ::fsync(fd_);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

bool File::close() {
    if (fd_ < 0) {
        return true;
    }
    const bool fails = StepFails(FileStep::Close);
    // The descriptor is gone after close(2) whatever it reports, so it is never retried.
    const int result = ::close(std::exchange(fd_, -1));
    return !fails && result == 0;
}

bool DeleteFile(QStringView handheldPath) {
    if (StepFails(FileStep::Delete)) {
        return false;
    }
    return ::unlink(NativePath(handheldPath).constData()) == 0;
}

bool FileExists(QStringView handheldPath) {
    struct stat info {};
    return ::stat(NativePath(handheldPath).constData(), &info) == 0 && S_ISREG(info.st_mode);
}

namespace {

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

void RemoveStaleBeside(const QString& resolvedTarget) {
    const QFileInfo target(resolvedTarget);
    const QDir folder = target.absoluteDir();
    const QStringList candidates =
        folder.entryList({target.fileName() + QLatin1String(kReplacementInfix) + u'*'},
                         QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QString& name : candidates) {
        if (!IsReplacementName(name, target.fileName())) {
            continue;
        }
        const QByteArray path = QFile::encodeName(folder.filePath(name));
        const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        struct stat info {};
        // A writer holds its temporary locked until it is renamed or removed.
        if (fd >= 0 && ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
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
    if (StepFails(FileStep::Open)) {
        return {};
    }
    const QString target = ResolvedTarget(targetHostPath);
    QDir().mkpath(QFileInfo(target).absolutePath());

    Replacement replacement;
    replacement.target_ = QFile::encodeName(target);
    struct stat old {};
    const bool replacesFile = ::stat(replacement.target_.constData(), &old) == 0;
    if (replacesFile && !S_ISREG(old.st_mode)) {
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
    if (!TakeLock(fd, true) || (replacesFile && !CopyAttributes(fd, old))) {
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

bool LinkFile(QStringView fromHandheldPath, QStringView toHandheldPath) {
    const QByteArray to = QFile::encodeName(HostPath(toHandheldPath));
    if (::unlink(to.constData()) != 0 && errno != ENOENT) {
        return false;
    }
    return ::linkat(AT_FDCWD, QFile::encodeName(HostPath(fromHandheldPath)).constData(), AT_FDCWD,
                    to.constData(), AT_SYMLINK_FOLLOW) == 0;
}

bool RestoreFile(QStringView fromHandheldPath, QStringView toHandheldPath) {
    return RenameDurably(QFile::encodeName(HostPath(fromHandheldPath)),
                         QFile::encodeName(ResolvedTarget(HostPath(toHandheldPath))));
}

}  // namespace tallimer::platform
