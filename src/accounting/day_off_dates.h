#pragma once

#include <QDate>
#include <vector>

#include "model/days_book.h"

namespace tallimer {

// A workday: where a week plan holds, a weekday whose target is above 0; otherwise Monday to
// Friday.
bool IsWorkday(const DaysBook& book, QDate date);

// The dates a day off from `from` to `to` (inclusive) marks: a single date whatever its weekday,
// a longer range only its workdays, so a week's vacation leaves the weekend alone.
std::vector<QDate> DayOffDates(const DaysBook& book, QDate from, QDate to);

}  // namespace tallimer
