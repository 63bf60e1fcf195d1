#include "accounting/time_lists.h"

#include <gtest/gtest.h>

#include <limits>

namespace tallimer {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

TEST(TimeLists, MinuteItemsAndTheUsableUnit) {
    EXPECT_EQ(MinuteListItems(7), QStringList({"53", "46", "39", "32", "25", "18", "11", "04"}));
    EXPECT_EQ(MinuteListItems(60), QStringList({"00"}));
    EXPECT_TRUE(MinuteListItems(61).isEmpty());
    // An unusable unit never loops forever: it fills like unit 1, and the settings keep 1.
    EXPECT_EQ(MinuteListItems(1).size(), 60);
    EXPECT_EQ(MinuteListItems(kMin), MinuteListItems(1));
    for (const auto& [stored, effective] : {std::pair{0, 1}, std::pair{kMin, 1}, std::pair{5, 5}}) {
        Settings s;
        s.minuteUnit = stored;
        EXPECT_EQ(EffectiveMinuteUnit(s), effective);
        EXPECT_EQ(s.minuteUnit, effective);
    }
}

// Work may start or end in the small hours: every hour of the clock is an item, from 23 down to
// 00, and a time before 04:00 is selected as it is, not raised to the first hour of a day.
TEST(TimeLists, EveryHourOfTheClockAndTheSelectedTime) {
    const QStringList hours = HourListItems();
    ASSERT_EQ(hours.size(), 24);
    EXPECT_EQ(hours.front(), QStringLiteral("23"));
    EXPECT_EQ(hours.back(), QStringLiteral("00"));
    const struct {
        uint16_t hour, minute;
        int32_t unit;
        uint16_t snappedHour, snappedMinute;
        const char* hourText;
        const char* minuteText;  // nullptr: the minute list keeps its selection
    } cases[] = {
        {23, 58, 5, 24, 0, "00", "00"},  // the carry reaches midnight
        {0, 0, 5, 0, 0, "00", "00"},         {3, 58, 5, 4, 0, "04", "00"},
        {3, 0, 5, 3, 0, "03", "00"},         {10, 32, 5, 10, 30, "10", "30"},
        {10, 33, 5, 10, 35, "10", "35"},     {10, 30, 60, 11, 0, "11", "00"},
        {10, 14, 7, 10, 14, "10", nullptr},   // no item of unit 7 is a multiple of 7
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
        EXPECT_EQ(sel.minuteText,
                  c.minuteText ? std::optional(QString::fromLatin1(c.minuteText)) : std::nullopt);
    }
    EXPECT_TRUE(MinuteListItems(kMax).isEmpty());
}

}  // namespace
}  // namespace tallimer
