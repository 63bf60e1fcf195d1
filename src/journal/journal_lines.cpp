#include "journal/journal_lines.h"

namespace tallimer {

namespace {
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
}  // namespace

std::optional<QDate> LineDate(std::string_view line) {
    // The date key of every date the date picker offers: four-digit year, two-digit month
    // and day, so fixed columns decide.
    if (line.size() < JournalColumn::DateEnd || line[4] != '/' || line[7] != '/') {
        return std::nullopt;
    }
    for (const size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        if (!IsDigit(line[i])) {
            return std::nullopt;
        }
    }
    const auto number = [&line](size_t first, size_t count) {
        int value = 0;
        for (size_t i = first; i < first + count; ++i) {
            value = value * 10 + (line[i] - '0');
        }
        return value;
    };
    const QDate date(number(0, 4), number(5, 2), number(8, 2));
    if (!date.isValid() || date.year() < 1000) {
        return std::nullopt;
    }
    return date;
}

}  // namespace tallimer
