#include <unistd.h>
#include <QFile>
#include <QString>
#include <QTextStream>

#include "cli/report_command.h"
#include "cli/report_views.h"
#include "cli/view_text.h"
#include "cli/week_periods_text.h"
#include "support/device_fixture.h"

namespace tallimer::test {
namespace {

// Days out of date order, more than the bytes a read keeps of its end, so the views read
// lines again both from the file and from what the read kept.
std::string Journal() {
    std::string bytes = kHeader;
    for (const int day : {20, 22, 21, 22, 23}) {
        for (int hour = 6; hour < 22; ++hour) {
            bytes += "2004/01/" + std::to_string(day) + " " + (hour < 10 ? "0" : "") +
                     std::to_string(hour) + ":00\tProject " + std::to_string(hour % 3) +
                     std::string(40, '.') + "\r\n";
        }
    }
    return bytes + "2004/01/23 22:30\tLast\r\n";
}

class ReadAgain : public DeviceTest {
  protected:
    QString report(const QStringList& arguments) {
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        EXPECT_EQ(RunReportCommand(arguments, outStream, errStream), 0) << err.toStdString();
        return out;
    }
};

// What the list and the periods print is the journal their scan read, whatever became of
// the file meanwhile: lines appended, the last line cut and another saved in its place, the
// journal replaced.
TEST_F(ReadAgain, TheViewsPrintTheJournalTheScanRead) {
    writeHandheld(kJournal, Journal());
    const QString list = report({"--view", "list"});
    const QString periods = report({"--view", "periods"});

    Tracker tracker;
    tracker.load();
    ViewInputs inputs(tracker, QDate(2004, 1, 23), QDateTime(QDate(2004, 1, 23), QTime(13, 0)));
    inputs.list.emplace();
    inputs.periods.emplace(tracker.settings());
    ViewFanOut fanOut(inputs);
    ScanSink* const target = fanOut.Target();
    ASSERT_EQ(tracker.selectDate(inputs.date, ScanSinks(&target, 1), {}, &inputs.journal).outcome,
              ScanOutcome::Read);
    inputs.list->Sort(inputs.journal);

    const std::string path = hostPath(kJournal).toStdString();
    const std::string before = journal();
    ASSERT_EQ(::truncate(path.c_str(), off_t(before.size() - 23)), 0);
    {
        QFile file(hostPath(kJournal));
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write("2004/01/23 22:45\tOther\r\n2004/01/24 08:00\tNew\r\n");
    }
    writeHandheld(kJournal + ".new", kHeader + "2004/01/01 08:00\tElse\r\n");
    ASSERT_TRUE(QFile::remove(hostPath(kJournal)));
    ASSERT_TRUE(QFile::rename(hostPath(kJournal + ".new"), hostPath(kJournal)));

    QString printed;
    QTextStream out(&printed);
    EXPECT_TRUE(PrintList(out, *inputs.list, inputs.journal));
    out.flush();
    EXPECT_EQ(printed.toStdString(), list.toStdString());
    printed.clear();
    EXPECT_TRUE(PrintPeriods(out, *inputs.periods, inputs.journal));
    out.flush();
    EXPECT_EQ(printed.toStdString(), periods.toStdString());
}

// A file that fails while the list is printed: what was printed stands, the run fails with
// the program's message.
TEST_F(ReadAgain, AFailingReadFailsTheRun) {
    writeHandheld(kJournal, Journal());
    platform::FailStep(platform::FileStep::Seek, 0);
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    EXPECT_EQ(RunReportCommand({"--view", "list"}, outStream, errStream), 1);
    errStream.flush();
    EXPECT_TRUE(err.contains("Error with database access:")) << err.toStdString();
    EXPECT_TRUE(err.contains("changed or failed while it was printed"));
}

}  // namespace
}  // namespace tallimer::test
