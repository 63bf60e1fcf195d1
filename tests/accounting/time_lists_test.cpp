#include "accounting/time_lists.h"

#include <gtest/gtest.h>

#include <limits>

namespace tallimer {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

TEST(TimeLists, Items) {
    const QStringList hours = HourListItems();
    ASSERT_EQ(hours.size(), 24);
    EXPECT_EQ(hours.front(), QStringLiteral("23"));
    EXPECT_EQ(hours.back(), QStringLiteral("00"));

    EXPECT_EQ(MinuteListItems(7), QStringList({"53", "46", "39", "32", "25", "18", "11", "04"}));
    EXPECT_EQ(MinuteListItems(60), QStringList({"00"}));
    EXPECT_TRUE(MinuteListItems(61).isEmpty());
    EXPECT_TRUE(MinuteListItems(kMax).isEmpty());

    // An unusable unit never loops forever: it fills like unit 1.
    const QStringList one = MinuteListItems(1);
    ASSERT_EQ(one.size(), 60);
    EXPECT_EQ(one.front(), QStringLiteral("59"));
    EXPECT_EQ(MinuteListItems(0), one);
    EXPECT_EQ(MinuteListItems(kMin), one);
}

TEST(TimeLists, EffectiveUnitReplacesZeroAndNegativeInTheSettings) {
    for (const auto& [stored, effective] : {std::pair{0, 1}, std::pair{kMin, 1}, std::pair{5, 5}}) {
        Settings s;
        s.minuteUnit = stored;
        EXPECT_EQ(EffectiveMinuteUnit(s), effective);
        EXPECT_EQ(s.minuteUnit, effective);
    }
}

TEST(TimeLists, SelectTime) {
    const struct {
        uint16_t hour, minute;
        int32_t unit;
        uint16_t snappedHour, snappedMinute;
        const char* hourText;
        const char* minuteText;  // nullptr: the minute list keeps its selection
    } cases[] = {
        {23, 58, 5, 24, 0, "00", "00"},  // the carry reaches midnight
        {10, 33, 5, 10, 35, "10", "35"},
        {10, 29, 60, 10, 0, "10", "00"},
        {10, 30, 60, 11, 0, "11", "00"},
        {10, 14, 7, 10, 14, "10", nullptr},   // no item of unit 7 is a multiple of 7
        {2, 15, 1, 2, 15, "02", "15"},        // early hours are recorded as they are
        {10, 17, 0, 10, 17, "10", "17"},      // unusable units act as 1, without dividing by 0
        {10, 50, 100, 11, 0, "11", nullptr},  // a unit above 60 has no minute items
        {65535, 59, 5, 0, 0, "00", "00"},     // the hour wraps as the 16-bit field does
    };
    for (const auto& c : cases) {
        const TimeListSelection sel = SelectTimeInLists(TimeRecord{c.hour, c.minute}, c.unit);
        SCOPED_TRACE(testing::Message() << c.hour << ":" << c.minute << " unit " << c.unit);
        EXPECT_EQ(sel.snapped.hour, c.snappedHour);
        EXPECT_EQ(sel.snapped.minute, c.snappedMinute);
        EXPECT_EQ(sel.hourText, QString::fromLatin1(c.hourText));
        if (c.minuteText == nullptr) {
            EXPECT_FALSE(sel.minuteText.has_value());
        } else {
            EXPECT_EQ(sel.minuteText, QString::fromLatin1(c.minuteText));
        }
    }
}

}  // namespace
}  // namespace tallimer
