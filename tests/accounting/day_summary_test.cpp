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

TEST(DaySummary, Colours) {
    constexpr Rgb red{255, 0, 0}, darkRed{192, 0, 0}, grey{128, 128, 128}, black{0, 0, 0},
        lightGrey{192, 192, 192};
    using enum SummaryBrush;
    constexpr int credit = IDC_SUMMARY_CREDIT, presence = IDC_SUMMARY_PRESENCE,
                  flexitime = IDC_SUMMARY_FLEXITIME;
    const struct {
        int control;
        const char* text;
        bool open;
        int32_t balance, minimum, maximum;
        Rgb colour;
        SummaryBrush brush;
    } cases[] = {
        {credit, "- 01:00", true, 0, 0, 0, darkRed, LightGrey},
        {credit, "- 01:00", false, 0, 0, 0, red, LightGrey},
        {credit, "No", false, 0, 0, 0, black, LightGrey},
        {presence, "  02:05", true, 0, 0, 0, grey, LightGrey},
        {flexitime, "- 01:00", false, -60, -600, 600, red, LightGrey},
        {flexitime, "+ 00:00", true, 0, 0, 0, black, LightGrey},
        {flexitime, "+ 10:01", false, 601, -600, 600, lightGrey, Black},
        {flexitime, "- 10:01", false, -601, -600, 600, red, Black},
        {flexitime, "---", false, 5, 0, 0, red, Black},  // the text decides, not the balance
    };
    for (const auto& c : cases) {
        const SummaryColour got = SummaryColourFor(c.control, QString::fromLatin1(c.text), c.open,
                                                   c.balance, c.minimum, c.maximum);
        EXPECT_TRUE(got.handled) << c.control << " " << c.text;
        EXPECT_EQ(got.text, c.colour) << c.control << " " << c.text;
        EXPECT_EQ(got.brush, c.brush) << c.control << " " << c.text;
    }
    EXPECT_FALSE(SummaryColourFor(IDC_SUMMARY_DEBIT, u"- 01:00", false, 0, 0, 0).handled);
}

TEST(DaySummary, TickOncePerMinuteAndRescanOnANewDayWithoutOpenPeriod) {
    const struct {
        QDate date;
        QTime time;
        bool open;
        bool goesThrough, rescan;
    } ticks[] = {
        {QDate(2004, 1, 23), QTime(13, 0), false, true, false},  // first tick: key only
        {QDate(2004, 1, 23), QTime(13, 0, 59), false, false, false},
        {QDate(2004, 1, 23), QTime(13, 1), false, true, false},
        {QDate(2004, 1, 24), QTime(0, 0), false, true, true},
        {QDate(2004, 1, 25), QTime(0, 5), true, true, false},  // open: the date stays
        {QDate(2004, 1, 25), QTime(0, 6), false, true, false},
        {QDate(2004, 1, 26), QTime(0, 6), false, false, false},  // same clock minute
    };
    RefreshMemory memory;
    for (const auto& t : ticks) {
        const RefreshTick tick = TickRefresh(memory, QDateTime(t.date, t.time), t.open);
        EXPECT_EQ(tick.goesThrough, t.goesThrough) << t.date.toString().toStdString();
        EXPECT_EQ(tick.moveToTodayAndRescan, t.rescan) << t.date.toString().toStdString();
    }
    EXPECT_EQ(memory.lastRefreshedMinute, 6);
    EXPECT_EQ(memory.lastDayKey, 1 * 31 + 25);
}

}  // namespace
}  // namespace tallimer
