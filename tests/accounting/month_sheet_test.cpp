#include <gtest/gtest.h>

#include "accounting/month_sheet.h"

namespace tallimer {
namespace {

Settings Target8Break30() {
    Settings settings;
    settings.targetPerDay = 480;
    settings.breakPerDay = 30;
    return settings;
}

// February 2026 begins on a Sunday. Lines dated around it are not the month's, even where a
// period runs on past midnight into it: the 1st counts only its own lines, once. The week in
// force is the plan from before the month; without one, Setup's target on Monday to Friday.
TEST(MonthSheet, CountsOnlyItsOwnDaysFromASundayToTheEnd) {
    const Settings settings = Target8Break30();
    DaysBook book;
    book.setWeek({QDate(2026, 1, 5), {480, 480, 480, 480, 360, 0, 0}});
    book.mark({QDate(2026, 2, 27), DayOffKind::Vacation, true});
    MonthSheetTally tally(settings, QDate(2026, 2, 14), &book);
    long long offset = 0;
    for (const std::string_view line :
         {"2026/01/31 22:00\tNight", "2026/01/31\t23:59\tNight", "2026/02/01 00:00\tNight",
          "2026/02/01\t06:00\tNight", "2026/02/27 08:00\tDay", "2026/02/27\t13:00\tDay",
          "2026/03/01 00:00\tNight", "2026/03/01\t02:00\tNight"}) {
        tally.AddLine(line, offset);
        offset += 30;
    }
    const MonthSheet sheet = tally.Sheet();
    ASSERT_EQ(sheet.days.size(), 28u);
    EXPECT_EQ(sheet.days.front().date, QDate(2026, 2, 1));
    EXPECT_EQ(sheet.days.front().date.dayOfWeek(), Qt::Sunday);
    EXPECT_EQ(sheet.week, (std::array<int32_t, 7>{480, 480, 480, 480, 360, 0, 0}));

    // A Sunday with entries: the plan owes nothing, the break is charged above 4:30.
    const TalliedDay& first = sheet.days.front();
    EXPECT_EQ(first.state.presence, 360);
    EXPECT_EQ(first.target, 0);
    EXPECT_EQ(first.breakCharged, 30);
    EXPECT_EQ(first.credit, 330);
    EXPECT_FALSE(first.missing);
    EXPECT_TRUE(sheet.days[1].missing);  // Monday the 2nd

    // A half vacation on a Friday of 6:00: 3:00 counted, 5:00 worked, the break charged.
    const TalliedDay& friday = sheet.days[26];
    EXPECT_EQ(friday.target, 180);
    EXPECT_EQ(friday.credit, 300 - 180 - 30);
    EXPECT_EQ(friday.dayOff, DayOffKind::Vacation);

    EXPECT_EQ(sheet.presence, 360 + 300);
    EXPECT_EQ(sheet.credit, 330 + 90);
    ASSERT_EQ(sheet.projects.size(), 2u);
    EXPECT_EQ(sheet.projects[1].name, "Night");
    EXPECT_EQ(sheet.projects[1].minutes, 360);

    const MonthSheet plain = MonthSheetTally(settings, QDate(2026, 2, 1)).Sheet();
    EXPECT_EQ(plain.week, (std::array<int32_t, 7>{480, 480, 480, 480, 480, 0, 0}));
    EXPECT_FALSE(plain.days[1].missing);  // no plan: no workday is missing
}

}  // namespace
}  // namespace tallimer

namespace tallimer {
namespace {

// The month's account begins at the ledger's first line when that lies within the month, and
// nothing is known of a month before it; a correction is not credit.
TEST(MonthLedger, BeginsWhereTheLedgerBeginsAndSortsTheChanges) {
    const auto at = [](int month, int day) {
        return QDateTime(QDate(2026, month, day), QTime(9, 0));
    };
    const std::vector<LedgerLine> lines = {
        {at(11, 20), {}, {}, LedgerReason::Opening, 100, 100},
        {at(11, 21), {}, {}, LedgerReason::Stop, -30, 70},
        {at(12, 1), {}, {}, LedgerReason::NewMonthCap, -10, 60},
        {at(12, 2), {}, {}, LedgerReason::Correction, 5, 65},
        {at(12, 3), {}, {}, LedgerReason::Undo, 30, 95},
        {at(1, 1).addYears(1), {}, {}, LedgerReason::Setup, 5, 100},
    };
    EXPECT_FALSE(MonthLedgerOf(lines, QDate(2026, 10, 31)).known);
    const MonthLedger november = MonthLedgerOf(lines, QDate(2026, 11, 5));
    EXPECT_FALSE(november.carriedOver);
    EXPECT_EQ(november.openedOn, QDate(2026, 11, 20));
    EXPECT_EQ(november.opening, 100);
    EXPECT_EQ(november.credit, -30);
    EXPECT_EQ(november.atEnd, 70);
    const MonthLedger december = MonthLedgerOf(lines, QDate(2026, 12, 31));
    EXPECT_EQ(december.carriedOver, 70);
    EXPECT_EQ(december.cap, -10);
    EXPECT_EQ(december.corrections, 5);
    EXPECT_EQ(december.credit, 30);
    EXPECT_EQ(december.setup, 0);
    EXPECT_EQ(december.atEnd, 95);
}

}  // namespace
}  // namespace tallimer
