#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace tallimer {

// Hands on a journal's lines one at a time, reading through a buffer of bounded size, so a
// reader needs the same memory for a journal of any size. A line longer than kLongestLine
// keeps its first kLongestLine bytes; the rest up to its LF is skipped, so it never mixes
// with the next line.
class LineReader {
  public:
    static constexpr size_t kLongestLine = size_t{1} << 20;
    static constexpr size_t kChunk = size_t{256} << 10;

    // Reads up to `maxBytes` into `buffer`: the count, 0 at end of file, -1 when it fails.
    using Read = std::function<long long(char* buffer, long long maxBytes)>;
    explicit LineReader(Read read);

    // The bytes in front of the next LF; false at end of file or at a failing read. Bytes
    // after the last LF are never handed on. The view holds until the next call.
    bool Next(std::string_view& bytesBeforeLf);
    // Whether the line last handed on holds a NUL byte. Each chunk is searched for NUL bytes
    // once, so a reader that must cut a line at one need not search every line.
    bool lineHoldsNul() const { return lineHoldsNul_; }
    // Where the line last handed on begins, and where the next one does, counted from the
    // first byte read: a second read can find the line again.
    long long lineOffset() const { return lineOffset_; }
    long long nextOffset() const { return nextOffset_; }
    // Forgets what was read, keeping the buffer: the next read begins a line at `offset`.
    void Restart(long long offset);

  private:
    void findNul();

    Read read_;
    std::string buffer_;
    size_t begin_ = 0;     // the line being read starts here
    size_t searched_ = 0;  // bytes before this hold no LF of that line
    size_t end_ = 0;       // bytes read so far
    size_t nul_ = 0;       // the first NUL byte from begin_ on, or end_ when none
    bool lineHoldsNul_ = false;
    bool atEnd_ = false;
    long long total_ = 0;  // offset of the byte after the last one read
    long long lineOffset_ = 0;
    long long nextOffset_ = 0;
};

// A reader over bytes already in memory.
LineReader::Read ReadFrom(std::string_view bytes);

}  // namespace tallimer
