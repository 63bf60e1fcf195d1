#include "accounting/day_lines.h"

#include "accounting/balance.h"
#include "base/saturating.h"

namespace tallimer {

std::optional<int32_t> TakeDayLine(DayState& day, const Settings& settings, int32_t entryTime) {
    day.entryCount = SatAdd(day.entryCount, 1);
    if (day.periodOpen == 0) {
        day.periodOpen = 1;
        day.lastStart = entryTime;
        return std::nullopt;
    }
    day.periodOpen = 0;
    const int32_t length = SatSub(CappedAtCutOff(entryTime, settings), day.lastStart);
    AddClosedPeriod(day, settings, length);
    return length;
}

}  // namespace tallimer
