#include "accounting/balance.h"

#include <gtest/gtest.h>

#include <limits>

namespace tallimer {
namespace {

Settings Workday(int32_t target = 480, int32_t breakPerDay = 30) {
    Settings s;
    s.targetPerDay = target;
    s.breakPerDay = breakPerDay;
    return s;
}

TEST(AddClosedPeriod, BreakChargedOnlyAboveBreakPlusFourHoursAndExtremesSaturate) {
    for (const auto& [presence, credit] :
         {std::pair{0, -480}, std::pair{270, -210}, std::pair{271, -239}}) {
        DayState day;
        AddClosedPeriod(day, Workday(), presence);
        EXPECT_EQ(day.presence, presence);
        EXPECT_EQ(day.credit, credit) << presence;
    }

    // Extreme values saturate.
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    DayState day;
    day.presence = kMax - 10;
    AddClosedPeriod(day, Workday(kMin, kMax), 100);
    EXPECT_EQ(day.presence, kMax);
    EXPECT_EQ(day.credit, kMax);  // presence is not above kMax + 240: no break

    DayState low;
    AddClosedPeriod(low, Workday(kMax, 0), kMin);
    EXPECT_EQ(low.presence, kMin);
    EXPECT_EQ(low.credit, kMin);

    // A negative break is "charged" as a gain, which saturates too.
    DayState gain;
    AddClosedPeriod(gain, Workday(0, kMin), 0);
    EXPECT_EQ(gain.credit, kMax);
}

TEST(NewMonthCheck, AsksOnlyAboveTheMaximumAtANewMonth) {
    const struct {
        int32_t flag, balance, minimum, maximum;
        bool asks;
    } cases[] = {
        {1, 601, -600, 600, true},   {7, 1, 0, 0, true},  // any set flag counts
        {1, 0, 0, 0, false},                              // equal to the maximum
        {0, 500, 0, 0, false},                            // not a new month
        {1, -900, -600, 600, false},  // below the minimum: neither asked nor changed
    };
    for (const auto& c : cases) {
        Settings s;
        s.flexBalance = c.balance;
        s.flexMinimum = c.minimum;
        s.flexMaximum = c.maximum;
        EXPECT_EQ(NewMonthCheckAsks(c.flag, s), c.asks) << c.balance;
        if (c.asks) {
            ApplyNewMonthCap(s);
            EXPECT_EQ(s.flexBalance, c.maximum);
        }
    }
}

}  // namespace
}  // namespace tallimer
