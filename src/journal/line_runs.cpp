#include "journal/line_runs.h"

namespace tallimer {

void LineRuns::Add(uint32_t key, long long offset) {
    if (!runs_.empty()) {
        const Run& last = runs_.back();
        if (last.length == 0 && last.key == key && offset - last.offset < kLongestRun) {
            return;  // the last run grows
        }
    }
    Close(offset);
    runs_.push_back({offset, 0, key});
}

void LineRuns::Close(long long offset) {
    if (!runs_.empty() && runs_.back().length == 0) {
        runs_.back().length = uint32_t(offset - runs_.back().offset);
    }
}

bool LineRuns::ForEachLine(JournalAsRead& journal, const char* operation,
                           const KeyedLineVisitor& line) const {
    for (const Run& run : runs_) {
        const bool read = journal.readLines(
            run.offset, run.length, operation,
            [&line, &run](std::string_view text, long long) { line(run.key, text); });
        if (!read) {
            return false;
        }
    }
    return true;
}

}  // namespace tallimer
