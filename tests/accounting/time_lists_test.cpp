#include "accounting/time_lists.h"

#include <gtest/gtest.h>

#include <limits>

namespace tallimer {
namespace {

TEST(TimeLists, HourItems) {
    const QStringList hours = HourListItems();
    ASSERT_EQ(hours.size(), 20);
    EXPECT_EQ(hours.front(), QStringLiteral("23"));
    EXPECT_EQ(hours[18], QStringLiteral("05"));
    EXPECT_EQ(hours.back(), QStringLiteral("04"));
}

TEST(TimeLists, MinuteItems) {
    EXPECT_EQ(MinuteListItems(15), QStringList({"45", "30", "15", "00"}));
    EXPECT_EQ(MinuteListItems(60), QStringList({"00"}));
    EXPECT_TRUE(MinuteListItems(61).isEmpty());
    EXPECT_TRUE(MinuteListItems(std::numeric_limits<int32_t>::max()).isEmpty());

    const QStringList five = MinuteListItems(5);
    ASSERT_EQ(five.size(), 12);
    EXPECT_EQ(five.front(), QStringLiteral("55"));
    EXPECT_EQ(five.back(), QStringLiteral("00"));

    const QStringList one = MinuteListItems(1);
    ASSERT_EQ(one.size(), 60);
    EXPECT_EQ(one.front(), QStringLiteral("59"));

    const QStringList seven = MinuteListItems(7);
    ASSERT_EQ(seven.size(), 8);
    EXPECT_EQ(seven.front(), QStringLiteral("53"));
    EXPECT_EQ(seven.back(), QStringLiteral("04"));

    // An unusable unit never loops forever: it fills like unit 1.
    EXPECT_EQ(MinuteListItems(0), one);
    EXPECT_EQ(MinuteListItems(-5), one);
    EXPECT_EQ(MinuteListItems(std::numeric_limits<int32_t>::min()), one);
}

TEST(TimeLists, EffectiveUnitReplacesZeroAndNegativeInTheSettings) {
    for (const auto& [stored, effective] :
         {std::pair{0, 1}, std::pair{-15, 1}, std::pair{std::numeric_limits<int32_t>::min(), 1},
          std::pair{5, 5}, std::pair{90, 90}}) {
        Settings s;
        s.minuteUnit = stored;
        EXPECT_EQ(EffectiveMinuteUnit(s), effective);
        EXPECT_EQ(s.minuteUnit, effective);
    }
}

struct SelectCase {
    uint16_t hour, minute;
    int32_t unit;
    uint16_t snappedHour, snappedMinute;
    const char* hourText;
    const char* minuteText;  // nullptr: the minute list keeps its selection
};

TEST(TimeLists, SelectTime) {
    const SelectCase cases[] = {
        {23, 58, 5, 24, 0, "04", "00"},  // the carry reaches an hour the list lacks
        {10, 32, 5, 10, 30, "10", "30"},
        {10, 33, 5, 10, 35, "10", "35"},
        {10, 29, 60, 10, 0, "10", "00"},
        {10, 30, 60, 11, 0, "11", "00"},
        {10, 59, 60, 11, 0, "11", "00"},
        {10, 14, 7, 10, 14, "10", nullptr},  // no item of unit 7 is a multiple of 7
        {10, 0, 7, 10, 0, "10", nullptr},
        {2, 15, 1, 2, 15, "04", "15"},    // hours 0 to 3 are not offered
        {10, 17, 0, 10, 17, "10", "17"},  // unusable units act as 1, without dividing by 0
        {10, 17, -10, 10, 17, "10", "17"},
        {10, 50, 100, 11, 0, "11", nullptr},  // a unit above 60 has no minute items
        {10, 20, 100, 10, 0, "10", nullptr},
        {65535, 59, 5, 0, 0, "04", "00"},  // the hour wraps as the 16-bit field does
    };
    for (const SelectCase& c : cases) {
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
