#include "accounting/day_summary.h"

#include <gtest/gtest.h>

#include <limits>

namespace tallimer {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

struct TextCase {
    const char* what;
    DayState day;
    int32_t now;
    const char* credit;
    const char* presence;
};

TEST(DaySummary, TextsOfEachBranch) {
    Settings settings;
    settings.breakPerDay = 30;
    settings.targetPerDay = 480;
    settings.flexBalance = -125;
    const TextCase cases[] = {
        {"no entry", {0, 0, "", 0, 0, 0}, 600, "No", "No"},
        {"closed day", {2, 480, "", 0, 465, -45}, 1000, "- 00:45", "= 07:45"},
        {"first period runs, break charged", {1, 480, "", 1, 0, 0}, 605, "- 06:25", "  02:05"},
        {"later period runs", {3, 750, "", 1, 210, -270}, 875, "- 02:25", "  05:35"},
        {"clock before the Start", {3, 750, "", 1, 0, 0}, 720, "- 00:30", "  00:30"},
        {"24:00", {1, 1380, "", 1, 0, 0}, 1440, "- 07:30", "  01:00"},
        {"saturates", {2, kMin, "", 1, kMax, kMax}, kMax, "+ 35791394:07", "  35791394:07"},
    };
    for (const TextCase& c : cases) {
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
    const struct {
        int hour, minute, unit, now;
    } cases[] = {{23, 58, 5, 1440}, {10, 32, 5, 630}, {10, 33, 5, 635},
                 {10, 30, 60, 660}, {10, 17, 0, 617}, {0, 0, 15, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(SummaryNow(QDateTime(QDate(2004, 1, 23), QTime(c.hour, c.minute)), c.unit), c.now)
            << c.hour << ":" << c.minute << " unit " << c.unit;
    }
}

TEST(DaySummary, Colours) {
    constexpr Rgb red{255, 0, 0}, darkRed{192, 0, 0}, grey{128, 128, 128}, black{0, 0, 0},
        lightGrey{192, 192, 192};
    using enum SummaryBrush;
    const struct {
        int control;
        const char* text;
        bool open;
        int32_t balance, minimum, maximum;
        bool handled;
        Rgb colour;
        SummaryBrush brush;
    } cases[] = {
        {1004, "- 01:00", true, 0, 0, 0, true, darkRed, LightGrey},
        {1004, "- 01:00", false, 0, 0, 0, true, red, LightGrey},
        {1004, "No", false, 0, 0, 0, true, black, LightGrey},
        {1018, "  02:05", true, 0, 0, 0, true, grey, LightGrey},
        {1018, "= 07:45", false, 0, 0, 0, true, black, LightGrey},
        {1007, "- 01:00", false, -60, -600, 600, true, red, LightGrey},
        {1007, "+ 00:00", true, 0, 0, 0, true, black, LightGrey},
        {1007, "+ 10:01", false, 601, -600, 600, true, lightGrey, Black},
        {1007, "- 10:01", false, -601, -600, 600, true, red, Black},
        {1007, "---", false, 5, 0, 0, true, red, Black},
        {1005, "- 01:00", false, 0, 0, 0, false, black, LightGrey},
    };
    for (const auto& c : cases) {
        const SummaryColour got = SummaryColourFor(c.control, QString::fromLatin1(c.text), c.open,
                                                   c.balance, c.minimum, c.maximum);
        EXPECT_EQ(got.handled, c.handled) << c.control << " " << c.text;
        if (c.handled) {
            EXPECT_EQ(got.text, c.colour) << c.control << " " << c.text;
            EXPECT_EQ(got.brush, c.brush) << c.control << " " << c.text;
        }
    }
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
