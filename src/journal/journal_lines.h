#pragma once

#include <QDate>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

#include "journal/journal_line.h"

namespace tallimer {

// Hands every line of the journal's bytes to `visit`, taken apart as the scan takes them
// (CutLine): a last line without LF is not a line yet.
template <typename Visit>
void ForEachJournalLine(std::string_view journal, Visit&& visit) {
    size_t start = 0;
    while (start < journal.size()) {
        const void* lf = std::memchr(journal.data() + start, '\n', journal.size() - start);
        if (lf == nullptr) {
            return;
        }
        const size_t end = static_cast<const char*>(lf) - journal.data();
        visit(CutLine(journal.substr(start, end - start)));
        start = end + 1;
    }
}

// The date columns as the number YYYYMMDD when they have the date key's shape (digits and
// slashes), whether or not such a date exists: 2026/02/30 gives 20260230. Numbers so made
// sort as their texts do.
std::optional<uint32_t> LineDateNumber(std::string_view line);

// The date whose date key the line begins with (YYYY/MM/DD); nullopt for the header line and
// any line that no selected date would take as its own.
std::optional<QDate> LineDate(std::string_view line);
// The date of a LineDateNumber; nullopt when no such date exists.
std::optional<QDate> DateOfNumber(uint32_t number);

}  // namespace tallimer
