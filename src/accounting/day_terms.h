#pragma once

#include <QDate>
#include <cstdint>
#include <optional>

#include "model/day_state.h"
#include "model/days_book.h"
#include "model/settings.h"

namespace tallimer {

// What a day owes and what a day off counts for it, from the days book and the settings.
struct DayTerms {
    int32_t target = 0;   // the week plan's for the weekday, else Setup's target
    int32_t counted = 0;  // minutes of the target a vacation, sick or holiday share counts
    std::optional<DayOffKind> kind;
    bool half = false;
    bool workday = false;  // a week plan holds and has a target for the weekday
};
DayTerms TermsOf(const DaysBook& book, const Settings& settings, QDate date);

// The settings the day's periods are booked with: the target less what a day off counts, so
// the credit of a day with entries is presence + counted - target, less the break when the
// real presence exceeds it plus four hours.
Settings SettingsForDay(const Settings& settings, const DayTerms& terms);

// The credit of a day without entries: none, unless a day off makes its target owed or met in
// part (a half vacation owes the other half; a flexitime day off owes it all).
int32_t EmptyDayCredit(const DayTerms& terms);

// Gives `day` (just emptied, before any line) the terms: nothing changes without a day off or
// a week plan.
void ApplyTerms(DayState& day, const DayTerms& terms, const Settings& settings);

// A workday of the week plan with neither entries nor a day off.
bool IsMissingDay(const DayTerms& terms, int32_t entryCount);

}  // namespace tallimer
