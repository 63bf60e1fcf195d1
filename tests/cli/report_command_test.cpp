#include <QString>
#include <QTextStream>

#include "cli/report_command.h"
#include "support/device_fixture.h"

namespace tallimer::test {
namespace {

class ReportCommand : public DeviceTest {
  protected:
    int run(const QStringList& arguments) {
        out.clear();
        err.clear();
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        return RunReportCommand(arguments, outStream, errStream);
    }

    QString out;
    QString err;
};

// No journal: 1 with a message; an empty one: 0 and not even the list's titles; bad arguments:
// 2 with the usage, the message naming the argument as written.
TEST_F(ReportCommand, ExitStatuses) {
    EXPECT_EQ(run({"--date", "2004/01/23"}), 1);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_TRUE(err.contains("Error with database access"));

    writeHandheld(kJournal, "");
    EXPECT_EQ(run({"--view=list", "--date", "2004/01/23"}), 0);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_EQ(run({"-h"}), 0);
    EXPECT_TRUE(out.startsWith("usage: tallimer-report"));

    for (const QStringList& bad :
         {QStringList{"--date", "23.01.2004"}, QStringList{"--date"},
          // A sign before the year, and a date that cannot exist.
          QStringList{"--date", "-2026/01/01"}, QStringList{"--date", "+2026/01/01"},
          QStringList{"--date", "2026/02/30"}, QStringList{"--now", "-2026/01/01 08:00"},
          QStringList{"--view", "month"}, QStringList{"--now", "13:00"}, QStringList{"extra"},
          QStringList{"--format", "xml"}, QStringList{"--bogus=1"}, QStringList{"-x"},
          QStringList{"--"}, QStringList{"-hh"},
          // CSV and JSON are for the views of records only.
          QStringList{"--format", "csv"}, QStringList{"--view", "day", "--format", "csv"},
          QStringList{"--view", "panel", "--format", "json"},
          // HTML and its PDF are the timesheet's alone.
          QStringList{"--format", "html"}, QStringList{"--view", "week", "--format", "html"},
          QStringList{"--view", "week", "--format", "pdf"}, QStringList{"--output"}}) {
        EXPECT_EQ(run(bad), 2) << bad.join(' ').toStdString();
        EXPECT_TRUE(out.isEmpty());
        EXPECT_TRUE(err.startsWith("tallimer-report: ")) << err.toStdString();
        EXPECT_TRUE(err.contains("usage: tallimer-report"));
    }
    EXPECT_EQ(run({"--view=list", "--bogus=1"}), 2);
    EXPECT_TRUE(err.startsWith("tallimer-report: unknown argument: --bogus=1\n"));
}

// The four views of a run come from one read of the journal: of all the opens of a run, one
// alone fails it, and then nothing is printed.
TEST_F(ReportCommand, SeveralViewsReadTheJournalOnce) {
    writeHandheld(kJournal, kHeader + "2004/01/23 08:00\tAlpha\r\n");
    int failedRuns = 0;
    for (int skip = 0; skip < 6; ++skip) {
        platform::FailStep(platform::FileStep::Open, skip);
        const int status = run({"--date", "2004/01/23"});
        platform::ClearFaults();
        if (status != 0) {
            ++failedRuns;
            EXPECT_EQ(status, 1);
            EXPECT_TRUE(out.isEmpty()) << skip << out.toStdString();
        }
    }
    EXPECT_EQ(failedRuns, 1);
}

}  // namespace
}  // namespace tallimer::test
