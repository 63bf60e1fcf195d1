#pragma once

#include <QDate>
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

// The date whose date key the line begins with (YYYY/MM/DD); nullopt for the header line and
// any line that no selected date would take as its own.
std::optional<QDate> LineDate(std::string_view line);

}  // namespace tallimer
