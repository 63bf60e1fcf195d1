#include "journal/journal_lines.h"

namespace tallimer {

namespace {
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
}  // namespace

std::optional<uint32_t> LineDateNumber(std::string_view line) {
    // The date key of every date the date picker offers: four-digit year, two-digit month
    // and day, so fixed columns decide.
    if (line.size() < JournalColumn::DateEnd || line[4] != '/' || line[7] != '/') {
        return std::nullopt;
    }
    uint32_t number = 0;
    for (const size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        if (!IsDigit(line[i])) {
            return std::nullopt;
        }
        number = number * 10 + uint32_t(line[i] - '0');
    }
    return number;
}

std::optional<QDate> DateOfNumber(uint32_t number) {
    const QDate date(int(number / 10000), int(number / 100 % 100), int(number % 100));
    if (!date.isValid() || date.year() < 1000) {
        return std::nullopt;
    }
    return date;
}

std::optional<QDate> LineDate(std::string_view line) {
    const std::optional<uint32_t> number = LineDateNumber(line);
    return number ? DateOfNumber(*number) : std::nullopt;
}

}  // namespace tallimer
