#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/days_book.h"

namespace tallimer {

// The days file's text: one line a date, by date, fields apart by tabs (blanks will do when
// typed by hand):
//   2026/12/24<TAB>vacation<TAB>whole      a day off: vacation, sick, holiday or flexday; whole
//                                          or half (whole when left out)
//   2026/01/05<TAB>week<TAB>8:00 8:00 8:00 8:00 6:00 0:00 0:00
//                                          the targets Monday to Sunday from that date on
// Lines beginning with '#' are comments. A line that cannot be read is kept as it stands and
// counted, never dropped.
struct DaysText {
    DaysBook book;
    int unreadLines = 0;
};
DaysText ReadDaysText(std::string_view text);
// The book as text; a book with no kept lines starts with a comment that explains the lines.
std::string DaysTextOf(const DaysBook& book);

// The kinds' names in the file and on the command line.
std::string_view DayOffKindName(DayOffKind kind);
std::optional<DayOffKind> DayOffKindNamed(std::string_view name);

}  // namespace tallimer
