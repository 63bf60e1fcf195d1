#pragma once

#include <QDate>
#include <cstdint>
#include <optional>

#include "accounting/day_terms.h"
#include "model/day_state.h"
#include "model/days_book.h"
#include "model/settings.h"

namespace tallimer {

// One calendar day as the week and the month sheet count it.
struct TalliedDay {
    QDate date;
    // What the scan leaves in DayState with this date selected.
    DayState state;
    // The day target, charged only on a day with entries (as the report counts days).
    int32_t target = 0;
    // Presence against the target, less the break as AddClosedPeriod charges it; a day whose
    // only period is still open is charged its target as well.
    int32_t credit = 0;
    // The break that credit was charged: the rule of AddClosedPeriod, on the day's presence.
    int32_t breakCharged = 0;
    // With a days book: the day off, and a workday of the week plan left without entries.
    std::optional<DayOffKind> dayOff;
    bool half = false;
    bool missing = false;
};

// Opens `day` for `date` before any of its lines; `days` is null or holds something. Returns
// the terms CloseTalliedDay needs. Its lines then go to TakeDayLine with `day.state`.
DayTerms OpenTalliedDay(TalliedDay& day, QDate date, const Settings& settings,
                        const DaysBook* days);

// Once the day's lines are in: its target, credit, break and kind of day. A workday after
// `today` is not missing yet (an invalid `today`: no day is to come).
void CloseTalliedDay(TalliedDay& day, const DayTerms& terms, const Settings& settings,
                     bool withDays, QDate today = {});

}  // namespace tallimer
