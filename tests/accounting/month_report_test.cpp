#include "accounting/month_report.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QDateTime>
#include <limits>
#include <string>
#include <vector>

#include "accounting/report_tree.h"
#include "journal/rescan_journal.h"
#include "platform/clock.h"
#include "support/device_fixture.h"

namespace tallimer {
namespace {

using Lines = std::vector<std::string>;

std::string Entry(const std::string& date, char kind, const std::string& time,
                  const std::string& project) {
    return date + kind + time + '\t' + project + "\r\n";
}
std::string Start(const std::string& date, const std::string& time,
                  const std::string& project = {}) {
    return Entry(date, ' ', time, project);
}
std::string Stop(const std::string& date, const std::string& time,
                 const std::string& project = {}) {
    return Entry(date, '\t', time, project);
}

std::string Render(const ReportTree& tree, int id, int depth) {
    const ReportTree::Node& node = tree.node(id);
    return std::string(size_t(depth) * 2, ' ') + node.text.toStdString() +
           (node.state == ReportTree::State::Bold ? "\t(bold)" : "");
}

// The whole tree in display order, two blanks of indent per level.
Lines Render(const ReportTree& tree) {
    Lines lines;
    for (const ReportTree::Line& line : tree.DisplayOrder()) {
        lines.push_back(Render(tree, line.id, line.depth));
    }
    return lines;
}

void RenderBelow(const ReportTree& tree, int parent, int depth, Lines& out) {
    for (int id : tree.children(parent)) {
        out.push_back(Render(tree, id, depth));
        RenderBelow(tree, id, depth + 1, out);
    }
}

// What stands below the first node with `text`, its children at no indent.
Lines Below(const ReportTree& tree, const QString& text) {
    Lines lines;
    for (const ReportTree::Line& line : tree.DisplayOrder()) {
        if (tree.node(line.id).text == text) {
            RenderBelow(tree, line.id, 0, lines);
            break;
        }
    }
    return lines;
}

class MonthReportTest : public test::DeviceTest {
  protected:
    void SetUp() override {
        DeviceTest::SetUp();  // the clock stands in January 2004
        settings.breakPerDay = 30;
        settings.targetPerDay = 480;
        settings.flexBalance = -75;
        settings.viewKind = ViewReport;
    }

    const ReportTree& Scan(const std::string& body, QDate selected = QDate(2004, 1, 23)) {
        journal = "Date       Time \tComment\r\n" + body;
        ScanJournalBytes(journal, settings, selected, day, month, &report);
        return report.tree();
    }

    Settings settings;
    DayState day;
    MonthState month;
    MonthReport report{settings, month};
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

    EXPECT_EQ(month.trackedTotal, -300);
    EXPECT_EQ(month.dayTable[22], 240);
    EXPECT_EQ(month.dayTable[23], -540);
    EXPECT_EQ(month.projectCount, 2);
    EXPECT_TRUE(month.projects.empty());  // freed when the report is finished
}

TEST_F(MonthReportTest, WorkedExampleInAnotherMonthHasNoBeginningBalance) {
    platform::SetClock(QDateTime(QDate(2004, 2, 1), QTime(9, 0)));
    Lines expected = kWorkedExampleReport;
    expected.erase(expected.begin() + 9, expected.begin() + 11);
    EXPECT_EQ(Render(Scan(kWorkedExample)), expected);

    // A rescan builds the tree anew rather than adding to it.
    EXPECT_EQ(Render(Scan(kWorkedExample)), expected);
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

TEST_F(MonthReportTest, DaysActualTargetAndOpenDays) {
    struct Case {
        const char* name;
        std::string body;
        std::string days, actual, target;
        Lines openDays;
    };
    const std::string d5 = "2004/01/05";
    const std::string oneTarget = "+ 08:00  ( + 8.00 )";
    std::string manyOpen = Start(d5, "08:00") + Stop(d5, "12:00");
    for (const char* day : {"01", "02", "03", "11", "12", "21", "22", "23", "31"}) {
        manyOpen += Start(std::string("2004/01/") + day, "08:00");
    }
    const Case cases[] = {
        {"break deducted at break + 241",
         Start(d5, "08:00") + Stop(d5, "12:31"),
         "1 day",
         "+ 04:01  ( + 4.01 )",
         oneTarget,
         {}},
        {"no break at break + 240",
         Start(d5, "08:00") + Stop(d5, "12:30"),
         "1 day",
         "+ 04:30  ( + 4.50 )",
         oneTarget,
         {}},
        {"netting to zero counts as a day, not open",
         Start(d5, "08:00") + Stop(d5, "08:00"),
         "1 day",
         "+ 00:00  ( + 0.00 )",
         oneTarget,
         {}},
        {"start at 00:00 alone", Start(d5, "00:00"), "1 day", "+ 00:00  ( + 0.00 )", oneTarget, {}},
        {"start at 00:01 alone", Start(d5, "00:01"), "1 day", "+ 00:00  ( + 0.00 )", oneTarget, {}},
        {"start at 00:02 alone is open",
         Start(d5, "00:02"),
         "1 day",
         "+ 00:00  ( + 0.00 )",
         oneTarget,
         {"ERROR - 5th is open\t(bold)"}},
        {"open days in text order, suffixes st, nd, th",
         manyOpen,
         "10 days",
         "+ 04:00  ( + 4.00 )",
         "+ 80:00  ( + 80.00 )",
         {"ERROR - 11th is open\t(bold)", "ERROR - 12th is open\t(bold)",
          "ERROR - 1st is open\t(bold)", "ERROR - 21th is open\t(bold)",
          "ERROR - 22th is open\t(bold)", "ERROR - 23th is open\t(bold)",
          "ERROR - 2nd is open\t(bold)", "ERROR - 31th is open\t(bold)",
          "ERROR - 3th is open\t(bold)"}},
        {"a day beyond 16 bits keeps its minutes",
         Start(d5, "00:00") + Stop(d5, "999:00"),
         "1 day",
         "+ 998:30  ( + 998.50 )",
         oneTarget,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ReportTree& tree = Scan(c.body);
        EXPECT_EQ(Below(tree, "working hours"), (Lines{"actual (" + c.days + ")", "  " + c.actual,
                                                       "target with " + c.days, "  " + c.target}));
        Lines openDays;
        for (const std::string& line : Below(tree, " 2004/01")) {
            if (line.rfind("ERROR", 0) == 0) {
                openDays.push_back(line);
            }
        }
        EXPECT_EQ(openDays, c.openDays);
    }
}

TEST_F(MonthReportTest, DayFieldsOutsideTheTableAndHugeTimesAreContained) {
    const ReportTree& tree =
        Scan(Start("2004/01/99", "08:00") + Start("2004/01/32", "08:00") +
             Start("2004/01/-5", "08:00") + Start("2004/01/xx", "08:00") + "2004/01\r\n" +
             Stop("2004/01/07", "99999999999:00") + Stop("2004/01/07", "99999999999:00"));
    EXPECT_EQ(Below(tree, "working hours").at(0), "actual (1 day)");
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
    const Lines expected = {
        "",
        "  + 09:00  ( + 9.00 )",
        "alpha",
        "  - 07:00  ( - 7.00 )",
        "Alpha",
        "  - 08:00  ( - 8.00 )",
        "Beta",
        "  + 12:00  ( + 12.00 )",
        "\xC3\x84rger",
        "  + 00:30  ( + 0.50 )",
    };
    EXPECT_EQ(Below(tree, " 5 project(s)"), expected);
}

TEST_F(MonthReportTest, SelectedDayPeriodsSortAsTexts) {
    const std::string d = "2004/01/23";
    std::string body;
    for (int n = 1; n <= 11; ++n) {
        const int t = 8 * 60 + (n - 1) * 10;
        const std::string time = QString::asprintf("%02d:%02d", t / 60, t % 60).toStdString();
        body += n % 2 != 0 ? Start(d, time, "P") : Stop(d, time, n == 2 ? "" : "P");
    }
    const Lines expected = {
        "  OPEN\t(bold)",
        " 0:50 hours presence ",
        " 5 breaks",
        " 5 periods of time",
        " credit",
        "  - 07:10",
        "1 P",
        "  Started 08:00",
        "  Stopped 08:10",
        "11 P",
        "  Started 09:40",
        "3 P",
        "  Started 08:20",
        "  Stopped 08:30 (P)",
        "5 P",
        "  Started 08:40",
        "  Stopped 08:50 (P)",
        "7 P",
        "  Started 09:00",
        "  Stopped 09:10 (P)",
        "9 P",
        "  Started 09:20",
        "  Stopped 09:30 (P)",
    };
    EXPECT_EQ(Below(Scan(body), " 2004/01/23"), expected);
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

    tree.Clear();
    EXPECT_EQ(tree.size(), 0u);
    EXPECT_TRUE(tree.DisplayOrder().empty());
}

}  // namespace
}  // namespace tallimer
