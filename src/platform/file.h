#pragma once

#include <QString>
#include <QStringView>
#include <string>
#include <string_view>

namespace tallimer::platform {

// A file opened "without sharing": an exclusive flock taken at open. If another holder has
// the lock, the open fails. Closed on destruction; move-only. Paths are handheld paths.
class File {
  public:
    enum class Access { Read, Write, ReadWrite };

    File() = default;
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File();

    // Opens a file that exists; fails when it does not.
    static File OpenExisting(QStringView handheldPath, Access access);
    // Opens a file for writing, creating it (and the folders on its way) when missing.
    // *created tells whether this call created it.
    static File OpenOrCreate(QStringView handheldPath, bool* created);
    // Creates a file for writing, emptying one that exists (only once the lock is held).
    static File CreateReplacing(QStringView handheldPath);

    bool isOpen() const { return fd_ >= 0; }

    // Bytes read (0 at end of file), or -1 when the read fails.
    long long read(char* buffer, long long maxBytes);
    // Appends everything from the current position to the end of file to `out`. Returns
    // false when a read failed; what was read before the failure stays in `out`.
    bool readToEnd(std::string& out);
    // True only when every byte was written.
    bool write(std::string_view bytes);
    // Moves to the end; returns the new position (the file's length) or -1.
    long long seekToEnd();
    bool truncate(long long length);
    // Forces written data to the disk.
    bool flush();
    // Closes and reports whether the close succeeded. Closing a closed file succeeds.
    bool close();

  private:
    explicit File(int fd) : fd_(fd) {}
    int fd_ = -1;
};

bool DeleteFile(QStringView handheldPath);
// Replaces `to` by `from` in one atomic step (and makes the change durable).
bool RenameOver(QStringView fromHandheldPath, QStringView toHandheldPath);
bool FileExists(QStringView handheldPath);

}  // namespace tallimer::platform
