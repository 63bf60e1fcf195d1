#include <QString>
#include <QTextStream>

#include "cli/report_command.h"
#include "support/device_fixture.h"

namespace tallimer::test {
namespace {

using ReportCommand = DeviceTest;

// No journal: 1 with a message; an empty one: 0 and not even the list's titles; bad arguments:
// 2 with the usage.
TEST_F(ReportCommand, ExitStatuses) {
    QString out;
    QString err;
    const auto run = [&](const QStringList& arguments) {
        out.clear();
        err.clear();
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        return RunReportCommand(arguments, outStream, errStream);
    };
    EXPECT_EQ(run({"--date", "2004/01/23"}), 1);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_TRUE(err.contains("Error with database access"));

    writeHandheld(kJournal, "");
    EXPECT_EQ(run({"--view", "list", "--date", "2004/01/23"}), 0);
    EXPECT_TRUE(out.isEmpty());

    for (const QStringList& bad :
         {QStringList{"--date", "23.01.2004"}, QStringList{"--date"},
          QStringList{"--view", "month"}, QStringList{"--now", "13:00"}, QStringList{"extra"},
          QStringList{"--format", "xml"},
          // CSV and JSON are for the views of records only.
          QStringList{"--format", "csv"}, QStringList{"--view", "day", "--format", "csv"},
          QStringList{"--view", "panel", "--format", "json"}}) {
        EXPECT_EQ(run(bad), 2) << bad.join(' ').toStdString();
        EXPECT_TRUE(out.isEmpty());
        EXPECT_TRUE(err.contains("usage: tallimer-report"));
    }
}

}  // namespace
}  // namespace tallimer::test
