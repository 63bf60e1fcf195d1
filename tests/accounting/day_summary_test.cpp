#include "accounting/day_summary.h"

#include <gtest/gtest.h>

#include <limits>

namespace tallimer {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

TEST(DaySummary, TextsOfEachBranch) {
    Settings settings;
    settings.breakPerDay = 30;
    settings.targetPerDay = 480;
    settings.flexBalance = -125;
    const struct {
        const char* what;
        DayState day;
        int32_t now;
        const char *credit, *presence;
    } cases[] = {
        // A closed day, a later period running and 24:00 are golden cases of tallimer-report.
        {"no entry", {0, 0, "", 0, 0, 0}, 600, "No", "No"},
        {"first period runs, break charged", {1, 480, "", 1, 0, 0}, 605, "- 06:25", "  02:05"},
        {"saturates", {2, kMin, "", 1, kMax, kMax}, kMax, "+ 35791394:07", "  35791394:07"},
    };
    for (const auto& c : cases) {
        const DaySummaryTexts texts = DaySummaryAt(c.day, settings, c.now);
        EXPECT_EQ(texts.debit, "+ 08:30") << c.what;
        EXPECT_EQ(texts.credit, c.credit) << c.what;
        EXPECT_EQ(texts.presence, c.presence) << c.what;
        EXPECT_EQ(texts.flexitime, "- 02:05") << c.what;
    }

    settings.targetPerDay = kMax;
    EXPECT_EQ(DaySummaryAt({}, settings, 0).debit, "+ 35791394:07");
}

TEST(DaySummary, NowIsTheClockSnappedToTheUnit) {
    const auto now = [](int hour, int minute, int unit) {
        return SummaryNow(QDateTime(QDate(2004, 1, 23), QTime(hour, minute)), unit);
    };
    EXPECT_EQ(now(23, 58, 5), 1440);  // 24:00, not 0:00
    EXPECT_EQ(now(10, 33, 5), 635);
    EXPECT_EQ(now(10, 17, 0), 617);
}

constexpr Rgb kRed{255, 0, 0}, kDarkRed{192, 0, 0}, kGrey{128, 128, 128}, kBlack{0, 0, 0},
    kLightGrey{192, 192, 192};

// How the handheld chose the colours: from the first character of the text shown.
SummaryColour ColourOfText(const QString& text, bool open, bool flexitime, bool inRange) {
    const bool negative = text.startsWith(u'-');
    if (!flexitime) {
        return {negative ? (open ? kDarkRed : kRed) : (open ? kGrey : kBlack)};
    }
    if (inRange) {
        return {negative ? kRed : kBlack};
    }
    return {text.startsWith(u'+') ? kLightGrey : (negative ? kRed : kBlack), SummaryBrush::Black};
}

TEST(DaySummary, ColoursFollowTheNumbersAsTheTextsDid) {
    Settings settings;
    settings.targetPerDay = 480;
    settings.breakPerDay = 30;
    settings.flexMinimum = -600;
    settings.flexMaximum = 600;
    // A closed day with credit 0, a first period that leaves a debit, a running period whose
    // Start lies after `now`, and no entry with a stray debit in the state.
    const DayState closedEven{2, 480, "", 0, 480, 0};
    const DayState firstRuns{1, 480, "", 1, 0, 0};
    const DayState startAhead{3, 700, "", 1, 240, 30};
    const DayState empty{0, 0, "", 0, 0, -45};
    for (const DayState& day : {closedEven, firstRuns, startAhead, empty}) {
        for (int32_t balance : {-601, -600, -1, 0, 1, 600, 601}) {
            settings.flexBalance = balance;
            const int32_t now = 600;
            const DaySummaryTexts texts = DaySummaryAt(day, settings, now);
            const DaySummaryColours got = DaySummaryColoursAt(day, settings, now);
            const bool open = day.periodOpen != 0;
            const bool inRange = -600 <= balance && balance <= 600;
            SCOPED_TRACE(texts.credit.toStdString() + " / " + texts.flexitime.toStdString());
            EXPECT_EQ(got.credit, ColourOfText(texts.credit, open, false, inRange));
            EXPECT_EQ(got.presence, ColourOfText(texts.presence, open, false, inRange));
            EXPECT_EQ(got.flexitime, ColourOfText(texts.flexitime, open, true, inRange));
        }
    }
}

TEST(DaySummary, TickOncePerMinuteAndRescanOnANewDayWithoutOpenPeriod) {
    const struct {
        QDate date;
        QTime time;
        bool open;
        bool goesThrough, rescan, newDay;
    } ticks[] = {
        {QDate(2004, 1, 23), QTime(13, 0), false, true, false, false},  // first tick: key only
        {QDate(2004, 1, 23), QTime(13, 0, 59), false, false, false, false},
        {QDate(2004, 1, 23), QTime(13, 1), false, true, false, false},
        {QDate(2004, 1, 24), QTime(0, 0), false, true, true, true},
        {QDate(2004, 1, 25), QTime(0, 5), true, true, false, true},  // open: the date stays
        {QDate(2004, 1, 25), QTime(0, 6), false, true, false, false},
        {QDate(2004, 1, 26), QTime(0, 6), false, false, false, false},  // same clock minute
    };
    RefreshMemory memory;
    for (const auto& t : ticks) {
        const RefreshTick tick = TickRefresh(memory, QDateTime(t.date, t.time), t.open);
        EXPECT_EQ(tick.goesThrough, t.goesThrough) << t.date.toString().toStdString();
        EXPECT_EQ(tick.moveToTodayAndRescan, t.rescan) << t.date.toString().toStdString();
        EXPECT_EQ(tick.newDay, t.newDay) << t.date.toString().toStdString();
    }
    EXPECT_EQ(memory.lastRefreshedMinute, 6);
    EXPECT_EQ(memory.lastDayKey, 1 * 31 + 25);
}

}  // namespace
}  // namespace tallimer
