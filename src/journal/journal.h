#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "journal/journal_as_read.h"
#include "journal/journal_mark.h"
#include "platform/file.h"
#include "platform/file_identity.h"

namespace tallimer {

// A journal line as CutLine leaves it.
using LineVisitor = std::function<void(std::string_view line)>;

// The journal file, made from its handheld path: the only code that opens it. Readers take
// it under a shared lock and read it once, through a bounded buffer; a writer holds it locked
// alone for a whole change (see Writer), so the content it checked is the content it changes.
class Journal {
  public:
    class Writer;

    explicit Journal(QString handheldPath) : path_(std::move(handheldPath)) {}

    const QString& path() const { return path_; }
    bool exists() const;
    // The file the path names now (a replaced journal is another file).
    platform::FileIdentity identity() const;
    // Removes the file (a journal that a failed first save or its undo leaves without entries).
    bool remove() const;
    // Gives the journal's file the second name `handheldPath` (Remove's copy for undo).
    bool linkTo(const QString& handheldPath) const;

    struct Read {
        int error = 0;     // 0, or the errno of the open that failed
        JournalMark mark;  // of every byte read
    };
    // Hands every line to `line`, read once through a bounded buffer under a shared lock. A
    // read that fails midway ends the journal there and is reported under `operation`; a
    // failed open is left to the caller.
    Read readLines(const char* operation, const LineVisitor& line) const;
    // The same, each line with its offset; when `keep` is given, the file read stays open in
    // it, unlocked, for reading some lines again.
    Read readLines(const char* operation, const PlacedLineVisitor& line, JournalAsRead* keep) const;

    // A writer's handle; not open when the journal cannot be opened (errno says why).
    Writer openOrCreate(bool* created) const;
    Writer openExisting() const;

  private:
    QString path_;
};

// The journal held by one writer until it is closed or destroyed: another writer fails and a
// reader waits meanwhile. Steps that fail leave errno as the failing step set it.
class Journal::Writer {
  public:
    bool isOpen() const { return file_.isOpen(); }
    // The journal's length; -1 when it cannot be told.
    long long length() { return file_.seekToEnd(); }
    // The last min(end, window) bytes of the first `end` bytes; nullopt when unreadable.
    std::optional<std::string> tail(long long end, long long window = kMarkWindow);
    std::optional<JournalMark> markAt(long long end);
    // Writes at the current position (the header of a journal just created).
    bool write(std::string_view bytes) { return file_.write(bytes); }
    // Appends with one checked write, flushed; on failure the file is cut back to its old
    // length, so a half-written line never stays.
    bool append(std::string_view bytes);
    // Reads the whole journal as Journal::readLines does, under this writer's lock.
    Journal::Read readLines(const char* operation, const LineVisitor& line);
    // Cuts the journal to `length` bytes, durably.
    bool cutBack(long long length) { return file_.truncate(length) && file_.flush(); }

    // The journal without the lines of one day, as Remove writes it.
    struct KeptCopy {
        JournalMark mark;      // of the content written
        QByteArray wholeHash;  // SHA-256 of the whole journal as it was
    };
    // An edited day: its new lines (whole, with their line ends) take the place of the day's
    // first line; the day's old lines go to `oldLine`.
    struct DayInPlace {
        std::string_view lines;
        LineVisitor oldLine;
    };
    // Writes every line that does not begin with `dateKey` to `out`, byte for byte, reading
    // the journal once in pieces of bounded size, and hands the lines of that new content to
    // `keptLine` as readLines would; nullopt when a read or write failed.
    std::optional<KeptCopy> writeKeptLines(std::string_view dateKey, platform::File& out,
                                           const LineVisitor& keptLine = {},
                                           const DayInPlace& inPlace = {});
    // A new content for the journal, renamed over it on commit.
    platform::Replacement replacement() const { return platform::Replacement::Beside(path_); }
    // The open file's identity (the old file, once a replacement took the journal's name).
    platform::FileIdentity identity() const { return file_.identity(); }
    bool close() { return file_.close(); }

  private:
    friend class Journal;
    Writer(platform::File file, const QString& path) : file_(std::move(file)), path_(path) {}
    bool copyTo(platform::File& out, RunningMark& written);

    platform::File file_;
    QString path_;
};

}  // namespace tallimer
