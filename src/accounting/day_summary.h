#pragma once

#include <QDateTime>
#include <QString>
#include <cstdint>

#include "accounting/time_lists.h"
#include "model/day_state.h"
#include "model/settings.h"

namespace tallimer {

// The four texts of the day summary.
struct DaySummaryTexts {
    QString debit;
    QString credit;
    QString presence;
    QString flexitime;
};

// The texts at time of day `now` (minutes; the clock snapped to the minute unit, so 1440 at
// 24:00, or the time selected in the lists while one of them has the focus).
DaySummaryTexts DaySummaryAt(const DayState& day, const Settings& settings, int32_t now);

// The time the summary uses when the focus is not on the time lists: the clock's hour and
// minute snapped to the unit as the lists are.
int32_t SummaryNow(const QDateTime& clock, int32_t minuteUnit);

// The colours of the summary's coloured values: a text colour over a brush.
struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Rgb&) const = default;
};
enum class SummaryBrush { LightGrey, Black };
struct SummaryColour {
    Rgb text;
    SummaryBrush brush = SummaryBrush::LightGrey;  // the background is transparent over it
    bool operator==(const SummaryColour&) const = default;
};
// Credit, presence and flexitime; the debit keeps the platform's default colours.
struct DaySummaryColours {
    SummaryColour credit;
    SummaryColour presence;
    SummaryColour flexitime;
};

// The colours at `now`, from the numbers the texts show: a negative credit is red, dark
// while a period runs; an open period greys the rest; a balance outside minimum and maximum
// stands on black, light grey unless negative.
DaySummaryColours DaySummaryColoursAt(const DayState& day, const Settings& settings, int32_t now);

// The memory that limits the unforced refresh to once per clock minute.
struct RefreshMemory {
    int32_t lastRefreshedMinute = -1;
    int32_t lastDayKey = -1;
};
struct RefreshTick {
    bool goesThrough = false;  // false: nothing is changed or repainted
    bool moveToTodayAndRescan = false;
    bool newDay = false;  // the clock passed into another day since the last tick
};
// One unforced tick at `clock`; updates the memory.
RefreshTick TickRefresh(RefreshMemory& memory, const QDateTime& clock, bool periodOpen);

}  // namespace tallimer
