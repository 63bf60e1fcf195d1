#pragma once

#include <string>
#include <string_view>

namespace tallimer {

// Remove's copy, fed the journal in pieces of any size: hands on every line that does not
// begin with the date key, byte for byte, including bare-LF lines and a last line without
// LF. It holds at most the first bytes of one line, whatever the lines' length.
// `inPlace` (whole lines, an edited day's) takes the place of the first line that begins with
// the key; with no such line it goes nowhere.
class KeptLines {
  public:
    explicit KeptLines(std::string_view dateKey, std::string_view inPlace = {})
        : key_(dateKey), inPlace_(inPlace) {}

    // Appends to `out` the kept bytes that `piece` settles.
    void Feed(std::string_view piece, std::string& out);
    // Appends what is still held: the start of a last line without LF.
    void Finish(std::string& out);
    // Where the last line began when it has no LF but began with the key: it is kept all the
    // same, and as its bytes were not held, they are to be copied from there. -1 otherwise.
    long long DroppedTailStart() const { return line_ == Line::Dropped ? lineStart_ : -1; }

  private:
    enum class Line { Undecided, Kept, Dropped };

    void putInPlace(std::string& out);

    std::string key_;
    std::string inPlace_;
    bool placed_ = false;
    long long lineStart_ = 0;  // the current line's offset in everything fed
    long long fed_ = 0;
    std::string head_;  // the current line's first bytes while it is undecided
    Line line_ = Line::Undecided;
};

// The kept bytes of a whole journal.
void AppendKeptLines(std::string_view journal, std::string_view dateKey, std::string& out);

}  // namespace tallimer
