#include "accounting/reminders.h"

#include <gtest/gtest.h>

#include <string>

namespace tallimer {
namespace {

// Break 30, target 480; the first period of Friday 2004/01/23 open since 08:00, so the target
// is reached at 16:30.
class RemindersTest : public ::testing::Test {
  protected:
    RemindersTest() {
        settings.breakPerDay = 30;
        settings.targetPerDay = 480;
        day = {1, 8 * 60, "2004/01/23", 1, 0, 0};
    }

    // What fires on ticks at each given time of `date` (minutes), in order, as "HH:MM title:
    // text" lines.
    std::vector<std::string> tick(QDate date, std::initializer_list<int> minutes) {
        std::vector<std::string> fired;
        for (int m : minutes) {
            const QDateTime clock(date, QTime(m / 60, m % 60));
            for (const Reminder& r : DueReminders(memory, clock, day, settings, preferences)) {
                fired.push_back(clock.toString("HH:mm ").toStdString() + r.title.toStdString() +
                                ": " + r.text.toStdString());
            }
        }
        return fired;
    }

    const QDate friday{2004, 1, 23};
    Settings settings;
    DayState day;
    DesktopPreferences preferences;
    ReminderMemory memory;
};

using Fired = std::vector<std::string>;

TEST_F(RemindersTest, EachFiresOnceWhenTheClockStepsAcrossItAndAgainTheNextDay) {
    EXPECT_EQ(
        tick(friday, {16 * 60 + 29, 16 * 60 + 33, 16 * 60 + 34, 21 * 60 + 59, 22 * 60, 23 * 60}),
        (Fired{"16:33 Target reached: The day's target was reached at 16:30.",
               "22:00 Still working?: A period has been open since 08:00."}));

    // A later period of the day: its credit runs from the day's credit at its Start.
    day = {3, 13 * 60, "2004/01/24", 1, 240, -270};
    settings.cutOffTime = 20 * 60;  // also ends the day for "Still working?"
    EXPECT_EQ(tick(friday.addDays(1), {17 * 60 + 29, 17 * 60 + 30, 20 * 60, 20 * 60 + 1}),
              (Fired{"17:30 Target reached: The day's target was reached at 17:30.",
                     "20:00 Still working?: A period has been open since 13:00."}));
}

TEST_F(RemindersTest, NothingWhenSwitchedOffClosedReachedTooLateOrAnotherDayIsShown) {
    const std::initializer_list<int> wholeDay = {0, 16 * 60 + 30, 22 * 60, 23 * 60 + 59};
    preferences.targetReachedReminder = false;
    preferences.stillWorkingReminder = false;
    EXPECT_EQ(tick(friday, wholeDay), Fired{});

    preferences = {};
    day.selectedDateText = "2004/01/22";  // the panel shows yesterday
    EXPECT_EQ(tick(friday, wholeDay), Fired{});

    day = {2, 8 * 60, "2004/01/23", 0, 600, 90};  // closed
    EXPECT_EQ(tick(friday, wholeDay), Fired{});

    // The cut-off comes before the target; a period opened after it is not "still" working.
    day = {3, 19 * 60, "2004/01/23", 1, 120, -390};
    settings.cutOffTime = 18 * 60;
    EXPECT_EQ(tick(friday, wholeDay), Fired{});
}

TEST_F(RemindersTest, NotStartedIsOptionalAndOnWeekdaysOnly) {
    day = {0, 0, "2004/01/23", 0, 0, 0};
    EXPECT_EQ(tick(friday, {9 * 60, 12 * 60}), Fired{});  // off by default

    preferences.notStartedReminder = true;
    preferences.notStartedBy = 9 * 60 + 30;
    EXPECT_EQ(tick(friday, {9 * 60 + 29, 9 * 60 + 31, 10 * 60}),
              Fired{"09:31 Not started: No entry yet today."});
    day.selectedDateText = "2004/01/24";  // Saturday
    EXPECT_EQ(tick(friday.addDays(1), {10 * 60}), Fired{});
    day.selectedDateText = "2004/01/26";  // Monday, the Start saved
    day.entryCount = 1;
    EXPECT_EQ(tick(friday.addDays(3), {10 * 60}), Fired{});
}

}  // namespace
}  // namespace tallimer
