#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include <QString>

#include "platform/file.h"

namespace tallimer {

class LineReader;

// A journal line as CutLine leaves it, and the offset where its bytes begin in the journal.
using PlacedLineVisitor = std::function<void(std::string_view line, long long offset)>;

// The journal as one read saw it, for a view that cannot keep every line it needs and reads
// some of them again. The read's file stays open, so a journal replaced meanwhile (a Remove,
// a Setup, an undo) is still the one read, and lines appended since lie beyond its length.
// The one change made in place, an undone Save cutting the last line, touches only the last
// bytes, which are kept as read. Holds no lock: a writer never waits for it.
class JournalAsRead {
  public:
    JournalAsRead();
    ~JournalAsRead();
    JournalAsRead(const JournalAsRead&) = delete;
    JournalAsRead& operator=(const JournalAsRead&) = delete;

    // Hands on the lines whose bytes lie in [offset, offset + length), each as the read
    // handed it on. False when a read failed (reported under `operation`) or the bytes were
    // not whole lines of what was read.
    bool readLines(long long offset, long long length, const char* operation,
                   const PlacedLineVisitor& line);

    // Where the last line read ends: bytes after it were not a line.
    long long linesEnd() const { return linesEnd_; }

  private:
    friend class Journal;
    long long readAt(char* buffer, long long maxBytes);

    platform::File file_;
    QString path_;
    long long length_ = 0;
    long long linesEnd_ = 0;
    std::string tail_;  // the last bytes read, up to length_
    std::unique_ptr<LineReader> lines_;
    long long position_ = 0;  // of the next byte to read
    long long end_ = 0;       // of the range being read
    bool failed_ = false;
    const char* operation_ = "";
};

}  // namespace tallimer
