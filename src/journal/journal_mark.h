#pragma once

#include <QByteArray>
#include <algorithm>
#include <string>
#include <string_view>

namespace tallimer {

// One content of the journal: its length and the SHA-256 of its last bytes. The journal only
// changes under its lock, by one append or one rename, so its length tells the two contents of
// a change apart and the tail catches a journal changed by something else meanwhile; neither
// needs the whole journal read.
struct JournalMark {
    long long length = -1;
    QByteArray tailHash;
    bool operator==(const JournalMark&) const = default;
};
inline constexpr long long kMarkWindow = 4096;

// `end` holds at least the last min(length, kMarkWindow) bytes of a content of `length` bytes.
JournalMark MarkOf(std::string_view end, long long length);

// The mark of a content handed on in pieces, keeping only its last bytes.
class RunningMark {
  public:
    void Add(std::string_view piece);
    long long length() const { return length_; }
    JournalMark mark() const { return MarkOf(tail_, length_); }
    // The last min(length, kMarkWindow) bytes.
    std::string_view tail() const {
        return std::string_view(tail_).substr(tail_.size() -
                                              std::min(tail_.size(), size_t(kMarkWindow)));
    }

  private:
    long long length_ = 0;
    std::string tail_;
};

}  // namespace tallimer
