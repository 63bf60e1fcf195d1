#include <gtest/gtest.h>

#include "accounting/balance.h"
#include "accounting/day_off_dates.h"
#include "accounting/day_terms.h"
#include "accounting/month_days_off.h"
#include "journal/days_text.h"

namespace tallimer {
namespace {

// A file typed by hand: CR LF, blanks for tabs, a half day, a week, a comment, a line that
// means nothing, no LF at its end. Everything is read; written again, nothing is lost, and
// the text reads back as the same book.
// A range marks its workdays: Monday to Friday until a week plan holds, then the plan's days
// with a target; a single date is marked whatever its weekday; a backwards range marks nothing.
TEST(DayOffDates, RangeMarksWorkdaysOfTheWeekInForce) {
    DaysBook book;
    book.setWeek({QDate(2026, 1, 12), {480, 480, 0, 480, 480, 0, 240}});  // from a Monday
    const QDate friday(2026, 1, 9);
    EXPECT_EQ(DayOffDates(book, QDate(2026, 1, 8), QDate(2026, 1, 18)),
              (std::vector<QDate>{QDate(2026, 1, 8), friday, QDate(2026, 1, 12), QDate(2026, 1, 13),
                                  QDate(2026, 1, 15), QDate(2026, 1, 16), QDate(2026, 1, 18)}));
    EXPECT_EQ(DayOffDates(book, QDate(2026, 1, 10), QDate(2026, 1, 10)),
              std::vector<QDate>{QDate(2026, 1, 10)});  // a Saturday, asked for alone
    EXPECT_EQ(DayOffDates(book, QDate(2026, 1, 14), QDate(2026, 1, 14)),
              std::vector<QDate>{QDate(2026, 1, 14)});  // the plan's free Wednesday
    EXPECT_TRUE(DayOffDates(book, QDate(2026, 1, 10), QDate(2026, 1, 11)).empty());
    EXPECT_TRUE(DayOffDates(book, friday, QDate(2026, 1, 5)).empty());
    EXPECT_FALSE(IsWorkday(book, QDate(2026, 1, 17)));
    EXPECT_TRUE(IsWorkday(DaysBook{}, friday));
}

TEST(DaysText, ReadsWhatAHandWroteAndWritesItBack) {
    const DaysText read = ReadDaysText(
        "# mine\r\n2026/12/24  vacation   half\r\n2026/01/05\tweek\t8:00 8:00 8:00 8:00 6:30 0:00 "
        "0:00\n2026/12/23 holiday\nnonsense here\n2026/12/25\tflexday\twhole\n"
        "2026/12/26\tvacation\thalfish\n2026/13/01\tsick\n2026/02/02\tweek\t8:00");
    EXPECT_EQ(read.unreadLines, 4);
    const DaysBook& book = read.book;
    ASSERT_EQ(book.daysOff.size(), 3U);
    EXPECT_EQ(book.daysOff[0], (DayOff{QDate(2026, 12, 23), DayOffKind::Holiday, false}));
    EXPECT_EQ(book.daysOff[1], (DayOff{QDate(2026, 12, 24), DayOffKind::Vacation, true}));
    EXPECT_EQ(book.daysOff[2], (DayOff{QDate(2026, 12, 25), DayOffKind::Flexday, false}));
    ASSERT_EQ(book.weeks.size(), 1U);
    EXPECT_EQ(book.weeks[0].targets, (std::array<int32_t, 7>{480, 480, 480, 480, 390, 0, 0}));
    EXPECT_EQ(book.keptLines.size(), 5U);

    const std::string text = DaysTextOf(book);
    EXPECT_NE(text.find("2026/01/05\tweek\t8:00 8:00 8:00 8:00 6:30 0:00 0:00\n2026/12/23\tholiday"
                        "\twhole\n2026/12/24\tvacation\thalf\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("nonsense here\n"), std::string::npos);
    EXPECT_EQ(ReadDaysText(text).book, book);
    // A new file explains its lines.
    EXPECT_EQ(ReadDaysText(DaysTextOf(DaysBook{})).unreadLines, 0);
}

DayState Worked(const Settings& settings, int32_t presence) {
    DayState day;
    day.entryCount = 2;
    AddClosedPeriod(day, settings, presence);
    return day;
}

// Target 480, break 30. Each kind, whole and half, on a day without entries and on a day with
// 300 minutes (more than break + 240, so the break is charged on real presence only).
TEST(DayTerms, CreditOfEachKind) {
    Settings settings;
    settings.targetPerDay = 480;
    settings.breakPerDay = 30;
    struct Case {
        DayOffKind kind;
        bool half;
        int32_t empty;
        int32_t worked;
    };
    for (const Case& c :
         {Case{DayOffKind::Vacation, false, 0, 270}, Case{DayOffKind::Sick, true, -240, 30},
          Case{DayOffKind::Holiday, false, 0, 270}, Case{DayOffKind::Flexday, false, -480, -210},
          Case{DayOffKind::Flexday, true, -480, -210}}) {
        DaysBook book;
        const QDate date(2026, 12, 24);
        book.mark({date, c.kind, c.half});
        const DayTerms terms = TermsOf(book, settings, date);
        EXPECT_EQ(EmptyDayCredit(terms), c.empty) << int(c.kind) << c.half;
        EXPECT_EQ(Worked(SettingsForDay(settings, terms), 300).credit, c.worked)
            << int(c.kind) << c.half;
        EXPECT_FALSE(IsMissingDay(terms, 0));
    }
    // No day off: the day is as the journal makes it.
    const DayTerms plain = TermsOf(DaysBook{}, settings, QDate(2026, 12, 24));
    EXPECT_EQ(EmptyDayCredit(plain), 0);
    EXPECT_EQ(SettingsForDay(settings, plain), settings);
    // An odd target: a half day counts the smaller half.
    settings.targetPerDay = 481;
    DaysBook half;
    half.mark({QDate(2026, 12, 24), DayOffKind::Vacation, true});
    EXPECT_EQ(EmptyDayCredit(TermsOf(half, settings, QDate(2026, 12, 24))), -241);
}

// A plan holds from its date until the next: days before the first keep Setup's target, a
// later plan leaves earlier days alone. A workday without entries or day off is missing.
TEST(DayTerms, WeekPlansHoldFromTheirDate) {
    Settings settings;
    settings.targetPerDay = 480;
    DaysBook book;
    book.setWeek({QDate(2026, 11, 2), {420, 420, 420, 420, 300, 0, 0}});
    book.setWeek({QDate(2026, 12, 7), {360, 360, 360, 360, 360, 0, 0}});
    const auto target = [&](QDate date) { return TermsOf(book, settings, date).target; };
    EXPECT_EQ(target(QDate(2026, 11, 1)), 480);  // before any plan
    EXPECT_EQ(target(QDate(2026, 11, 6)), 300);  // a Friday of the first
    EXPECT_EQ(target(QDate(2026, 12, 4)), 300);
    EXPECT_EQ(target(QDate(2026, 12, 11)), 360);
    EXPECT_TRUE(IsMissingDay(TermsOf(book, settings, QDate(2026, 12, 8)), 0));
    EXPECT_FALSE(IsMissingDay(TermsOf(book, settings, QDate(2026, 12, 8)), 1));
    EXPECT_FALSE(IsMissingDay(TermsOf(book, settings, QDate(2026, 12, 12)), 0));  // Saturday
    EXPECT_FALSE(IsMissingDay(TermsOf(book, settings, QDate(2026, 11, 1)), 0));   // no plan
    // Replacing a plan and clearing a day off keep one entry a date.
    book.setWeek({QDate(2026, 12, 7), {0, 0, 0, 0, 0, 0, 0}});
    EXPECT_EQ(book.weeks.size(), 2U);
    book.mark({QDate(2026, 12, 8), DayOffKind::Sick, false});
    book.mark({QDate(2026, 12, 8), DayOffKind::Vacation, false});
    EXPECT_EQ(book.daysOff.size(), 1U);
    EXPECT_TRUE(book.clear(QDate(2026, 12, 8)));
    EXPECT_FALSE(book.clear(QDate(2026, 12, 8)));
}

// A workday of the plan without entries is missing up to today, today included, never later;
// a month with neither a day off nor a missing workday gets no node, though the book has a plan.
TEST(MonthDaysOff, MissingUpToTodayOnly) {
    DaysBook book;
    book.setWeek({QDate(2026, 11, 30), {480, 480, 480, 480, 480, 0, 0}});
    MonthState month;
    month.dayTable[1] = 240;  // Tuesday 2026/12/01 has entries
    const auto texts = [](const ReportTree& tree, int parent) {
        QStringList texts;
        for (const int child : tree.children(parent)) {
            texts << tree.node(child).text;
        }
        return texts;
    };
    ReportTree tree;
    const int day = tree.AddNode(QStringLiteral(" 2026/12/03"), ReportTree::kRoot);
    const int monthNode = tree.AddNode(QStringLiteral(" 2026/12"), ReportTree::kRoot);
    AddDaysOffNodes(tree, {QDate(2026, 12, 3), day, monthNode}, book, Settings{}, month,
                    QDate(2026, 12, 3));
    EXPECT_EQ(texts(tree, monthNode),
              (QStringList{" 2026/12/02", " 2026/12/03", "missing workdays"}));
    EXPECT_EQ(texts(tree, day), QStringList{" missing"});
    EXPECT_EQ(texts(tree, tree.children(monthNode).back()), QStringList{"2 days"});

    const size_t before = tree.size();
    AddDaysOffNodes(tree, {QDate(2026, 12, 3), day, monthNode}, book, Settings{}, month,
                    QDate(2026, 11, 30));
    EXPECT_EQ(tree.size(), before);
}

}  // namespace
}  // namespace tallimer
