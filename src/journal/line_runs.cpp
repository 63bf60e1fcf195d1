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
    // Runs that follow each other in the file are read as one: a journal in date order is
    // read again in one go rather than a read a date.
    for (auto first = runs_.begin(); first != runs_.end();) {
        auto last = first;
        long long end = first->offset + first->length;
        while (last + 1 != runs_.end() && (last + 1)->offset == end) {
            ++last;
            end += last->length;
        }
        auto run = first;
        const bool read = journal.readLines(first->offset, end - first->offset, operation,
                                            [&line, &run](std::string_view text, long long offset) {
                                                while (offset >= run->offset + run->length) {
                                                    ++run;
                                                }
                                                line(run->key, text);
                                            });
        if (!read) {
            return false;
        }
        first = last + 1;
    }
    return true;
}

}  // namespace tallimer
