#include "accounting/month_report.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QDateTime>
#include <algorithm>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "accounting/report_tree.h"
#include "operations/rescan_journal.h"
#include "platform/clock.h"
#include "support/device_fixture.h"

namespace tallimer {
namespace {

using Lines = std::vector<std::string>;

std::string Start(const std::string& date, const std::string& time,
                  const std::string& project = {}) {
    return date + ' ' + time + '\t' + project + "\r\n";
}
std::string Stop(const std::string& date, const std::string& time,
                 const std::string& project = {}) {
    return date + '\t' + time + '\t' + project + "\r\n";
}

// The tree in display order, two blanks of indent per level. With `under`, only what stands
// below the first node of that text, its children at no indent.
Lines Render(const ReportTree& tree, const QString& under = {}) {
    Lines lines;
    bool inside = under.isEmpty();
    int base = 0;
    for (const ReportTree::Line& line : tree.DisplayOrder()) {
        const ReportTree::Node& node = tree.node(line.id);
        if (!inside) {
            inside = node.text == under;
            base = line.depth + 1;
        } else if (line.depth < base) {
            break;
        } else {
            lines.push_back(std::string(size_t(line.depth - base) * 2, ' ') +
                            node.text.toStdString() +
                            (node.state == ReportTree::State::Bold ? "\t(bold)" : ""));
        }
    }
    return lines;
}

// The "ERROR - ... is open" lines of January.
Lines OpenDays(const ReportTree& tree) {
    Lines open;
    for (const std::string& line : Render(tree, " 2004/01")) {
        if (line.starts_with("ERROR")) {
            open.push_back(line);
        }
    }
    return open;
}

class MonthReportTest : public test::DeviceTest {
  protected:
    void SetUp() override {
        DeviceTest::SetUp();  // the clock stands in January 2004
        settings.breakPerDay = 30;
        settings.targetPerDay = 480;
        settings.flexBalance = -75;
    }

    const ReportTree& Scan(const std::string& body, QDate selected = QDate(2004, 1, 23)) {
        journal = "Date       Time \tComment\r\n" + body;
        ScanJournalBytes(journal, settings, selected, day, month, &report);
        return report.tree();
    }

    Settings settings;
    DayState day;
    MonthState month;
    MonthReport report{settings, month, QDate(2004, 1, 23)};
    std::string journal;
};

const std::string kWorkedExample =
    Start("2004/01/22", "08:00", "Alpha") + Stop("2004/01/22", "12:00", "Alpha") +
    Start("2004/01/23", "08:30", "Alpha") + Stop("2004/01/23", "12:00", "Alpha") +
    Start("2004/01/23", "12:30", "Beta");

const Lines kWorkedExampleReport = {
    "REPORT",
    "   2004/01",
    "     2 project(s)",
    "      Alpha",
    "        + 07:30  ( + 7.50 )",
    "      Beta",
    "        - 12:30  ( - 12.50 )",
    "    ERROR - 23th is open\t(bold)",
    "    flexitime",
    "      at the beginning",
    "        + 10:45  ( + 10.75 )",
    "      this month",
    "        - 12:00  ( - 12.00 )",
    "    total time tracked",
    "      - 05:00  ( - 5.00 )",
    "    working hours",
    "      actual (2 days)",
    "        + 04:00  ( + 4.00 )",
    "      target with 2 days",
    "        + 16:00  ( + 16.00 )",
    "   2004/01/23",
    "      OPEN\t(bold)",
    "     1 breaks",
    "     1 period of time",
    "     3:30 hours presence ",
    "     credit",
    "      - 04:30",
    "    1 Alpha",
    "      Started 08:30",
    "      Stopped 12:00 (Alpha)",
    "    3 Beta",
    "      Started 12:30",
    "  Flexitime",
    "    - 01:15  ( - 1.25 )",
};

TEST_F(MonthReportTest, WorkedExampleInTheCurrentMonth) {
    const ReportTree& tree = Scan(kWorkedExample);
    EXPECT_EQ(Render(tree), kWorkedExampleReport);
    EXPECT_EQ(tree.node(tree.children(ReportTree::kRoot).at(0)).state, ReportTree::State::Expanded);
    EXPECT_EQ(month.dayTable[22], 240);
    EXPECT_EQ(month.dayTable[23], -540);
    EXPECT_TRUE(month.projects.empty());  // freed when the report is finished
}

TEST_F(MonthReportTest, WorkedExampleInAnotherMonthHasNoBeginningBalance) {
    Lines expected = kWorkedExampleReport;
    expected.erase(expected.begin() + 9, expected.begin() + 11);
    MonthReport february(settings, month, QDate(2004, 2, 1));
    const std::string bytes = "Date       Time \tComment\r\n" + kWorkedExample;
    ScanJournalBytes(bytes, settings, QDate(2004, 1, 23), day, month, &february);
    EXPECT_EQ(Render(february.tree()), expected);

    // A rescan builds the tree anew rather than adding to it.
    ScanJournalBytes(bytes, settings, QDate(2004, 1, 23), day, month, &february);
    EXPECT_EQ(Render(february.tree()), expected);
}

TEST_F(MonthReportTest, MonthWithoutLines) {
    const Lines expected = {
        "REPORT",
        "   2004/02",
        "     0 project(s)",
        "    flexitime",
        "      this month",
        "        + 00:00  ( + 0.00 )",
        "    total time tracked",
        "      + 00:00  ( + 0.00 )",
        "    working hours",
        "      actual (0 days)",
        "        + 00:00  ( + 0.00 )",
        "      target with 0 days",
        "        + 00:00  ( + 0.00 )",
        "   2004/02/10",
        "     0 breaks",
        "     0 periods of time",
        "     0:00 hours presence ",
        "     credit",
        "      + 00:00",
        "  Flexitime",
        "    - 01:15  ( - 1.25 )",
    };
    EXPECT_EQ(Render(Scan(kWorkedExample, QDate(2004, 2, 10))), expected);
}

TEST_F(MonthReportTest, OneDayActualTargetAndOpenMarker) {
    const std::string d5 = "2004/01/05";
    const std::string none = "+ 00:00  ( + 0.00 )";
    const struct {
        const char* name;
        std::string body;
        std::string actual;
        bool open;
    } cases[] = {
        {"break deducted at break + 241", Start(d5, "08:00") + Stop(d5, "12:31"),
         "+ 04:01  ( + 4.01 )", false},
        {"no break at break + 240", Start(d5, "08:00") + Stop(d5, "12:30"), "+ 04:30  ( + 4.50 )",
         false},
        // A day netting to 0 is marked -1, not open; a lone Start at 00:01 nets -1 alike.
        {"netting to zero", Start(d5, "08:00") + Stop(d5, "08:00"), none, false},
        {"start at 00:00 alone", Start(d5, "00:00"), none, false},
        {"start at 00:01 alone", Start(d5, "00:01"), none, false},
        {"start at 00:02 alone", Start(d5, "00:02"), none, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ReportTree& tree = Scan(c.body);
        EXPECT_EQ(Render(tree, "working hours"),
                  (Lines{"actual (1 day)", "  " + c.actual, "target with 1 day",
                         "  + 08:00  ( + 8.00 )"}));
        EXPECT_EQ(OpenDays(tree), c.open ? Lines{"ERROR - 5th is open\t(bold)"} : Lines{});
    }
}

TEST_F(MonthReportTest, OpenDaysInTextOrderWithTheirSuffixes) {
    std::string body = Start("2004/01/05", "08:00") + Stop("2004/01/05", "12:00");
    for (const char* day : {"01", "02", "03", "11", "12", "21", "22", "23", "31"}) {
        body += Start(std::string("2004/01/") + day, "08:00");
    }
    const ReportTree& tree = Scan(body);
    EXPECT_EQ(Render(tree, "working hours"),
              (Lines{"actual (10 days)", "  + 04:00  ( + 4.00 )", "target with 10 days",
                     "  + 80:00  ( + 80.00 )"}));
    EXPECT_EQ(OpenDays(tree), (Lines{"ERROR - 11th is open\t(bold)", "ERROR - 12th is open\t(bold)",
                                     "ERROR - 1st is open\t(bold)", "ERROR - 21th is open\t(bold)",
                                     "ERROR - 22th is open\t(bold)", "ERROR - 23th is open\t(bold)",
                                     "ERROR - 2nd is open\t(bold)", "ERROR - 31th is open\t(bold)",
                                     "ERROR - 3th is open\t(bold)"}));
}

TEST_F(MonthReportTest, DayFieldsOutsideTheTableAndHugeTimesAreContained) {
    const ReportTree& tree =
        Scan(Start("2004/01/99", "08:00") + Start("2004/01/32", "08:00") +
             Start("2004/01/-5", "08:00") + Start("2004/01/xx", "08:00") + "2004/01\r\n" +
             Stop("2004/01/07", "99999999999:00") + Stop("2004/01/07", "99999999999:00"));
    // Saturated at the 32-bit limit, less the break: no 16-bit wrap either.
    EXPECT_EQ(Render(tree, "working hours"),
              (Lines{"actual (1 day)", "  + 35791393:37  ( + 35791393.61 )", "target with 1 day",
                     "  + 08:00  ( + 8.00 )"}));
    EXPECT_EQ(month.dayTable[7], std::numeric_limits<int32_t>::max());
    for (int i = 1; i <= 31; ++i) {
        if (i != 7) {
            EXPECT_EQ(month.dayTable[size_t(i)], 0) << i;
        }
    }
    EXPECT_EQ(month.dayTable[0], -480);  // "xx" and the bare month are day 0, never shown
    EXPECT_EQ(month.trackedTotal, std::numeric_limits<int32_t>::max());
}

TEST_F(MonthReportTest, ProjectTotalsByExactText) {
    const std::string d5 = "2004/01/05", d6 = "2004/01/06", d7 = "2004/01/07";
    const ReportTree& tree =
        Scan(Start(d5, "08:00", "Alpha") + Stop(d5, "12:00", "Beta") +  // one period, two projects
             Start(d6, "07:00", "alpha") + Stop(d6, "09:00") +          // no project text
             Start(d7, "08:00", "\xC4rger") + Stop(d7, "08:30", "\xC4rger"));
    // "alpha" was met last, so it stands before the "Alpha" it collates equal to.
    EXPECT_EQ(Render(tree, " 5 project(s)"),
              (Lines{"", "  + 09:00  ( + 9.00 )", "alpha", "  - 07:00  ( - 7.00 )", "Alpha",
                     "  - 08:00  ( - 8.00 )", "Beta", "  + 12:00  ( + 12.00 )", "\xC3\x84rger",
                     "  + 00:30  ( + 0.50 )"}));
}

TEST_F(MonthReportTest, SelectedDayPeriodsSortAsTexts) {
    const std::string d = "2004/01/23";
    std::string body;
    for (int n = 1; n <= 11; ++n) {
        const int t = 8 * 60 + (n - 1) * 10;
        const std::string time = QString::asprintf("%02d:%02d", t / 60, t % 60).toStdString();
        body += n % 2 != 0 ? Start(d, time, "P") : Stop(d, time, n == 2 ? "" : "P");
    }
    const ReportTree& tree = Scan(body);
    const Lines day = Render(tree, " 2004/01/23");
    ASSERT_GE(day.size(), 6u);
    EXPECT_EQ(Lines(day.begin(), day.begin() + 6),
              (Lines{"  OPEN\t(bold)", " 0:50 hours presence ", " 5 breaks", " 5 periods of time",
                     " credit", "  - 07:10"}));
    Lines periods;
    std::copy_if(day.begin(), day.end(), std::back_inserter(periods),
                 [](const std::string& line) { return !line.starts_with(' '); });
    EXPECT_EQ(periods, (Lines{"1 P", "11 P", "3 P", "5 P", "7 P", "9 P"}));
    EXPECT_EQ(Render(tree, "1 P"), (Lines{"Started 08:00", "Stopped 08:10"}));  // no project
    EXPECT_EQ(Render(tree, "11 P"), Lines{"Started 09:40"});
}

TEST(ReportTree, SortedInsertionKeepsEqualTextsInOrder) {
    ReportTree tree;
    const int b = tree.AddNode("b", ReportTree::kRoot);
    const int upperB = tree.AddNode("B", ReportTree::kRoot);
    tree.AddNode("a", ReportTree::kRoot);
    tree.AddNode("9", ReportTree::kRoot);
    tree.AddNode("10", ReportTree::kRoot);
    tree.AddNode(" z", ReportTree::kRoot);
    tree.AddNode("child", b, ReportTree::State::Bold);
    EXPECT_EQ(Render(tree), (Lines{" z", "10", "9", "a", "b", "  child\t(bold)", "B"}));
    EXPECT_EQ(tree.children(ReportTree::kRoot).back(), upperB);
}

}  // namespace
}  // namespace tallimer
