#pragma once

#include <QDateTime>
#include <QString>
#include <QStringView>
#include <cstdint>

#include "accounting/time_lists.h"
#include "model/day_state.h"
#include "model/settings.h"

namespace tallimer {

// Control ids of the day summary view.
constexpr int IDC_SUMMARY_CREDIT = 1004;
constexpr int IDC_SUMMARY_DEBIT = 1005;
constexpr int IDC_SUMMARY_FLEXITIME = 1007;
constexpr int IDC_SUMMARY_PRESENCE = 1018;

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

// The colour answer for one static text of the day summary view.
struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Rgb&) const = default;
};
enum class SummaryBrush { LightGrey, Black };
struct SummaryColour {
    bool handled = false;  // false: the platform's default colours apply
    Rgb text;
    SummaryBrush brush = SummaryBrush::LightGrey;  // the background is transparent over it
};
SummaryColour SummaryColourFor(int controlId, QStringView text, bool periodOpen, int32_t balance,
                               int32_t minimum, int32_t maximum);

// The memory that limits the unforced refresh to once per clock minute.
struct RefreshMemory {
    int32_t lastRefreshedMinute = -1;
    int32_t lastDayKey = -1;
};
struct RefreshTick {
    bool goesThrough = false;  // false: nothing is changed or repainted
    bool moveToTodayAndRescan = false;
};
// One unforced tick at `clock`; updates the memory.
RefreshTick TickRefresh(RefreshMemory& memory, const QDateTime& clock, bool periodOpen);

}  // namespace tallimer
