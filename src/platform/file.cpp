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
#include <algorithm>
#include <chrono>
#include <climits>
#include <cstring>
#include <thread>
#include <utility>

#include "platform/device_folder.h"
#include "platform/diagnostics.h"
#include "platform/fault.h"
#include "platform/file_steps.h"

namespace tallimer::platform {

namespace {

constexpr long long kReadChunk = 64 * 1024;
constexpr mode_t kNewFileMode = 0666;
// How long a writer waits for readers, or a reader for a writer, and how often it looks.
constexpr auto kLockWait = std::chrono::milliseconds(1000);
constexpr auto kLockPoll = std::chrono::milliseconds(10);

QByteArray NativePath(QStringView handheldPath) {
    return QFile::encodeName(HostPath(handheldPath));
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
        error = kNotRegularFile;
    } else if ((flags & O_ACCMODE) != O_RDONLY && (info.st_mode & 0222) == 0) {
        error = EACCES;
    } else {
        error = EndNonBlocking(fd);
    }
    if (error != 0) {
        CloseQuietly(fd);
        errno = error;
        return -1;
    }
    return fd;
}

void CloseQuietly(int fd) {
    if (fd >= 0) {
        ::close(fd);
    }
}

int EndNonBlocking(int fd) {
    const int status = ::fcntl(fd, F_GETFL);
    if (status == -1 || ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) == -1) {
        return errno;
    }
    return 0;
}

// Waiting is by polling, so a writer can tell readers (who leave soon) from another writer
// (who fails it at once, as specified).
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

FileIdentity File::identity() const {
    struct stat info {};
    return fd_ >= 0 && ::fstat(fd_, &info) == 0 ? IdentityOf(info) : FileIdentity{};
}

void File::unlock() {
    if (fd_ >= 0) {
        ::flock(fd_, LOCK_UN);
    }
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

bool OpenPlainFile(QFile& file, QStringView handheldPath, bool create) {
    const int fd = ::open(NativePath(handheldPath).constData(),
                          (create ? O_RDWR | O_CREAT : O_RDONLY) | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    int error = ::fstat(fd, &info) != 0 ? errno : !S_ISREG(info.st_mode) ? kNotRegularFile : 0;
    if (error == 0) {
        error = EndNonBlocking(fd);
    }
    if (error == 0 && !file.open(fd, create ? QIODevice::ReadWrite : QIODevice::ReadOnly,
                                 QFileDevice::AutoCloseHandle)) {
        error = EIO;
    }
    if (error != 0) {
        CloseQuietly(fd);
        errno = error;
        return false;
    }
    return true;
}

bool FileExists(QStringView handheldPath) {
    struct stat info {};
    return ::stat(NativePath(handheldPath).constData(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace tallimer::platform
