#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "journal/journal_as_read.h"

namespace tallimer {

// Where a view's journal lines lie, as runs of consecutive lines that share a key (a date), for
// a view that hands its lines on in another order than the journal's and reads them again
// rather than keep them. A journal keeps a date's lines together, so it has about as many
// runs as dates, and a run costs 16 bytes.
class LineRuns {
  public:
    // The line at `offset` (as the read handed it on): it continues the last run when it has
    // the same key and nothing came between.
    void Add(uint32_t key, long long offset);
    // The line at `offset` belongs to no run, or the journal's lines end there: the last run
    // ends before it.
    void Close(long long offset);
    bool empty() const { return runs_.empty(); }

    // Orders the runs by key, `before` telling which key goes first; the runs of one key, or of
    // keys neither of which goes first, stay in journal order.
    template <typename Before>
    void Sort(Before before) {
        std::sort(runs_.begin(), runs_.end(), [&before](const Run& a, const Run& b) {
            if (before(a.key, b.key)) {
                return true;
            }
            return !before(b.key, a.key) && a.offset < b.offset;
        });
    }

    using KeyedLineVisitor = std::function<void(uint32_t key, std::string_view line)>;
    // Hands on the lines of every run, in the runs' order, read again from `journal`; false
    // when that read failed.
    bool ForEachLine(JournalAsRead& journal, const char* operation,
                     const KeyedLineVisitor& line) const;

  private:
    struct Run {
        long long offset = 0;
        uint32_t length = 0;  // bytes; 0 while the run may still grow
        uint32_t key = 0;
    };
    // A run longer than this begins again, so its length fits in 32 bits.
    static constexpr long long kLongestRun = 1LL << 30;

    std::vector<Run> runs_;
};

}  // namespace tallimer
