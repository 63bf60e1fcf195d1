#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringView>
#include <string>
#include <string_view>

#include "platform/file_identity.h"

namespace tallimer::platform {

// A file opened "without sharing": a writer takes an exclusive flock at open, a reader a
// shared one. A writer that meets readers, or a reader that meets a writer, waits for them
// up to about a second; a writer that meets a writer fails at once. Only regular files open,
// and a file without any write permission does not open for writing (the handheld's
// read-only attribute). Closed on destruction; move-only. Paths are handheld paths.
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
    // Opens one of the program's own files (records and copies it keeps beside the journal
    // and in the device folder) for reading: never through a link and never waiting, and only
    // a regular file with one link that belongs to this user. Not open when it is missing
    // (errno ENOENT) or is something else (errno names why, see diagnostics.h).
    static File OpenOwn(const QString& hostPath);
    // Opens a file for reading and writing, creating it (and the folders on its way) when
    // missing.
    // *created tells whether this call created it.
    static File OpenOrCreate(QStringView handheldPath, bool* created);
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
    bool seekTo(long long position);
    bool truncate(long long length);
    // Forces written data to the disk.
    bool flush();
    // Closes and reports whether the close succeeded. Closing a closed file succeeds.
    bool close();
    // Gives up the lock taken at open, keeping the file open: a reader that is done with the
    // file as a whole but may still look at its bytes.
    void unlock();
    // The open file's device, inode and size; nothing when it cannot be told.
    FileIdentity identity() const;

  private:
    friend class Replacement;
    explicit File(int fd) : fd_(fd) {}
    int fd_ = -1;
};

// The new content of a file, written to a temporary beside it and put in its place by one
// rename. The temporary is created new and exclusively under a unique name
// ("<name>.new-XXXXXX"), never opened through an existing path; it gets the target's mode
// (and owner where permitted). A symlinked target is replaced at the file it points to, so
// the link stays. Unless committed, the temporary is removed on destruction.
class Replacement {
  public:
    static Replacement Beside(QStringView targetHandheldPath);
    // For a user's file outside the handheld's root (the registry's folder).
    static Replacement BesideHostFile(const QString& targetHostPath);
    // For one of the program's own files: the name itself takes the new file, whatever was
    // planted there (a link is replaced, never followed), and no attributes are copied from it.
    // Fails only on a folder in its place (errno EISDIR).
    static Replacement ForOwnFile(const QString& hostPath);

    Replacement() = default;
    Replacement(Replacement&& other) noexcept;
    Replacement& operator=(Replacement&& other) noexcept;
    ~Replacement();

    bool isOpen() const { return file_.isOpen(); }
    File& file() { return file_; }
    // Flushes, closes and renames over the target. On failure the temporary is removed and
    // the target is as it was.
    bool commit();
    // Writes `bytes` as the whole new content and commits; false when any step fails.
    bool commitWith(std::string_view bytes);

  private:
    enum class Target { UserFile, OwnFile };
    static Replacement open(const QString& target, Target kind);
    void abandon();

    File file_;
    QByteArray temporary_;
    QByteArray target_;
};

// Removes temporaries of Replacement that a crash left beside the target; one still being
// written (locked) stays.
void RemoveStaleReplacements(QStringView targetHandheldPath);
void RemoveStaleReplacementsOfHostFile(const QString& targetHostPath);
// The same beside an own file's name, which is never followed.
void RemoveStaleReplacementsOfOwnFile(const QString& hostPath);

bool DeleteFile(QStringView handheldPath);

// Opens `file` on a regular file at the path for reading, or for reading and writing with
// `create` (made when missing), without waiting on a FIFO and without taking a lock or the
// fault seam: for a file whose failures never decide a command (the ledger). False with errno.
bool OpenPlainFile(QFile& file, QStringView handheldPath, bool create);

// Gives the file at `from` (a symlink's target) the second name `to` by a hard link, replacing
// a file of that name.
bool LinkFile(QStringView fromHandheldPath, QStringView toHandheldPath);
bool FileExists(QStringView handheldPath);

}  // namespace tallimer::platform
