#include <gtest/gtest.h>

#include "operations/week_form.h"

namespace tallimer {
namespace {

const QDate kFriday(2004, 1, 23);

WeekForm FormOf(std::array<QString, 7> targets) {
    return {std::move(targets), kFriday};
}

TEST(WeekForm, TargetsAreHoursAndMinutesOrWholeHoursUpTo24) {
    EXPECT_EQ(WeekTargetOf(u"8:00"), 480);
    EXPECT_EQ(WeekTargetOf(u" 7:45 "), 465);
    EXPECT_EQ(WeekTargetOf(u"6"), 360);
    EXPECT_EQ(WeekTargetOf(u"0:00"), 0);
    EXPECT_EQ(WeekTargetOf(u"24:00"), 1440);
    for (const char16_t* wrong :
         {u"", u"24:01", u"25", u"8:60", u"8:5", u"8:005", u"-1:00", u"8.5", u"8:", u":30", u"x"}) {
        EXPECT_EQ(WeekTargetOf(wrong), std::nullopt) << QString::fromUtf16(wrong).toStdString();
    }
}

// OK takes the seven fields as a plan from the date, or names the first weekday at fault.
TEST(WeekForm, PlanOrTheFirstWeekdayAtFault) {
    const WeekPlanOf plan = PlanOf(FormOf({"8:00", "8", "8:00", "8:00", "6:00", "0:00", "0"}));
    ASSERT_TRUE(plan.plan.has_value());
    EXPECT_EQ(*plan.plan, (WeekPlan{kFriday, {480, 480, 480, 480, 360, 0, 0}}));

    const WeekPlanOf refused = PlanOf(FormOf({"8:00", "8:00", "9:99", "8:00", "25", "", ""}));
    EXPECT_FALSE(refused.plan.has_value());
    EXPECT_EQ(refused.field, 2);
    EXPECT_TRUE(refused.refusal.contains("Wednesday")) << refused.refusal.toStdString();
}

// Opened on a date: the plan in force then, else Setup's target on workdays; the fields read
// back as the same plan.
TEST(WeekForm, OpensWithThePlanInForceOrSetupsTarget) {
    Settings settings;
    settings.targetPerDay = 450;
    DaysBook book;
    const WeekForm fromSetup = WeekFormFor(kFriday, book, settings);
    EXPECT_EQ(fromSetup,
              (WeekForm{{"7:30", "7:30", "7:30", "7:30", "7:30", "0:00", "0:00"}, kFriday}));

    const WeekPlan earlier{QDate(2004, 1, 5), {480, 480, 480, 480, 365, 0, 0}};
    book.setWeek(earlier);
    book.setWeek({QDate(2004, 2, 2), {600, 600, 600, 600, 0, 0, 0}});  // not yet in force
    const WeekForm fromPlan = WeekFormFor(kFriday, book, settings);
    EXPECT_EQ(fromPlan.targets[4], "6:05");
    EXPECT_EQ(fromPlan.from, kFriday);
    WeekPlan again = earlier;
    again.from = kFriday;
    EXPECT_EQ(PlanOf(fromPlan).plan, again);
}

}  // namespace
}  // namespace tallimer
