#include "accounting/balance.h"

#include <algorithm>
#include <cstdlib>

#include "base/saturating.h"

namespace tallimer {

int32_t CappedAtCutOff(int32_t time, const Settings& settings) {
    const int32_t cutOff = settings.cutOffTime;
    return (cutOff != 0 && time > cutOff) ? cutOff : time;
}

int32_t DayTarget(const DayState& day, const Settings& settings) {
    return day.ownTarget.value_or(settings.targetPerDay);
}

void AddClosedPeriod(DayState& day, const Settings& settings, int32_t duration) {
    day.presence = SatAdd(day.presence, duration);
    day.credit = SatSub(day.presence, DayTarget(day, settings));
    // Compared in 64 bits: break + 240 must not overflow for any stored break.
    if (int64_t{day.presence} > int64_t{settings.breakPerDay} + 240) {
        day.credit = SatSub(day.credit, settings.breakPerDay);
    }
}

void BookStopInBalance(Settings& settings, DayState& day, int32_t duration) {
    settings.flexBalance = SatSub(settings.flexBalance, day.credit);
    AddClosedPeriod(day, settings, duration);
    settings.flexBalance = SatAdd(settings.flexBalance, day.credit);
}

void BookDayRemoval(Settings& settings, DayState& day) {
    settings.flexBalance = SatSub(settings.flexBalance, day.credit);
    day.entryCount = 0;
    day.periodOpen = 0;
    day.presence = 0;
    day.credit = day.emptyCredit;
    day.lastStart = 0;
    settings.flexBalance = SatAdd(settings.flexBalance, day.credit);
}

bool NewMonthCheckAsks(int32_t newMonthFlag, const Settings& settings) {
    return newMonthFlag != 0 && settings.flexBalance > settings.flexMaximum;
}

void ApplyNewMonthCap(Settings& settings) {
    settings.flexBalance = settings.flexMaximum;
}

bool IsOneDaysBalanceChange(int64_t change, const Settings& settings) {
    constexpr int64_t kDayMinutes = 24 * 60;
    // A day's own target (a week plan's) is at most a day.
    const int64_t most = kDayMinutes +
                         std::max<int64_t>(std::abs(int64_t(settings.targetPerDay)), kDayMinutes) +
                         std::abs(int64_t(settings.breakPerDay));
    return change >= -most && change <= most;
}

}  // namespace tallimer
