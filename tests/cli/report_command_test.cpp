#include <QString>
#include <QTextStream>

#include "cli/report_command.h"
#include "operations/settings_store.h"
#include "support/device_fixture.h"

namespace tallimer::test {
namespace {

const QString kJournal = QStringLiteral("\\My Documents\\Tallimer.txt");

class ReportCommand : public DeviceTest {
  protected:
    // Runs the command; returns its exit status and keeps what it printed.
    int run(const QStringList& arguments) {
        out.clear();
        err.clear();
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        return RunReportCommand(arguments, outStream, errStream);
    }

    // The worked example's device: break 30, target 480 and its five entries.
    void writeWorkedExample() {
        SettingsStore store;
        store.settings.breakPerDay = 30;
        store.settings.targetPerDay = 480;
        BuildFilePaths(store);
        ASSERT_TRUE(SaveSettings(store));
        writeHandheld(kJournal,
                      "Date       Time \tComment\r\n"
                      "2004/01/22 08:00\tAlpha\r\n"
                      "2004/01/22\t12:00\tAlpha\r\n"
                      "2004/01/23 08:30\tAlpha\r\n"
                      "2004/01/23\t12:00\tAlpha\r\n"
                      "2004/01/23 12:30\tBeta\r\n");
    }

    QString out;
    QString err;
};

TEST_F(ReportCommand, WorkedExamplePrintsAllFourViews) {
    writeWorkedExample();
    ASSERT_EQ(run({"--date", "2004/01/23", "--now", "2004/01/23 13:00"}), 0) << err.toStdString();
    EXPECT_EQ(out.toStdString(),
              "== panel ==\n"
              "Status\tStop:\n"
              "Project\tBeta\n"
              "Projects\tAlpha\tBeta\n"
              "Remove\tenabled\n"
              "== day ==\n"
              "Debit\t+ 08:30\n"
              "Credit\t- 04:00\n"
              "Presence\t  04:00\n"
              "Flexitime in total\t+ 00:00\n"
              "== list ==\n"
              "Date      \tTime \tComment\n"
              "2004/01/23\t08:30\tAlpha\n"
              "2004/01/23\t  12:00\tAlpha\n"
              "2004/01/23\t12:30\tBeta\n"
              "2004/01/22\t08:00\tAlpha\n"
              "2004/01/22\t  12:00\tAlpha\n"
              "== report ==\n"
              "REPORT\n"
              "   2004/01\n"
              "     2 project(s)\n"
              "      Alpha\n"
              "        + 07:30  ( + 7.50 )\n"
              "      Beta\n"
              "        - 12:30  ( - 12.50 )\n"
              "    ERROR - 23th is open\t(bold)\n"
              "    flexitime\n"
              "      at the beginning\n"
              "        + 12:00  ( + 12.00 )\n"
              "      this month\n"
              "        - 12:00  ( - 12.00 )\n"
              "    total time tracked\n"
              "      - 05:00  ( - 5.00 )\n"
              "    working hours\n"
              "      actual (2 days)\n"
              "        + 04:00  ( + 4.00 )\n"
              "      target with 2 days\n"
              "        + 16:00  ( + 16.00 )\n"
              "   2004/01/23\n"
              "      OPEN\t(bold)\n"
              "     1 breaks\n"
              "     1 period of time\n"
              "     3:30 hours presence \n"
              "     credit\n"
              "      - 04:30\n"
              "    1 Alpha\n"
              "      Started 08:30\n"
              "      Stopped 12:00 (Alpha)\n"
              "    3 Beta\n"
              "      Started 12:30\n"
              "  Flexitime\n"
              "    + 00:00  ( + 0.00 )\n");
    EXPECT_TRUE(err.isEmpty());
}

TEST_F(ReportCommand, OneViewPrintsNoHeading) {
    writeWorkedExample();
    ASSERT_EQ(run({"--view=day", "--now", "2004/01/22 23:58"}), 0);
    // The selected date defaults to the date of --now; a closed day shows "=".
    EXPECT_EQ(out,
              "Debit\t+ 08:30\nCredit\t- 04:00\nPresence\t= 04:00\nFlexitime in total\t+ 00:00\n");
}

// No journal: 1 with a message; an empty one: 0 and not even the list's titles; bad
// arguments: 2 with the usage.
TEST_F(ReportCommand, ExitStatuses) {
    EXPECT_EQ(run({"--date", "2004/01/23"}), 1);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_TRUE(err.contains("Error with database access"));

    writeHandheld(kJournal, "");
    EXPECT_EQ(run({"--view", "list", "--date", "2004/01/23"}), 0);
    EXPECT_TRUE(out.isEmpty());

    for (const QStringList& bad :
         {QStringList{"--date", "23.01.2004"}, QStringList{"--date"}, QStringList{"--view", "week"},
          QStringList{"--now", "13:00"}, QStringList{"extra"}}) {
        EXPECT_EQ(run(bad), 2) << bad.join(' ').toStdString();
        EXPECT_TRUE(out.isEmpty());
        EXPECT_TRUE(err.contains("usage: tallimer-report"));
    }

    EXPECT_EQ(run({"--help"}), 0);
    EXPECT_TRUE(out.startsWith("usage: tallimer-report"));
}

}  // namespace
}  // namespace tallimer::test
