#include "operations/rescan_journal.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

#include "journal/line_reader.h"
#include "operations_test_support.h"
#include "platform/file.h"
#include "resources/string_table.h"

namespace tallimer::test {
namespace {

const QDate kDay(2004, 1, 23);
const std::string kWorkedExample = kHeader +
                                   "2004/01/22 08:00\tAlpha\r\n"
                                   "2004/01/22\t12:00\tAlpha\r\n"
                                   "2004/01/23 08:30\tAlpha\r\n"
                                   "2004/01/23\t12:00\tAlpha\r\n"
                                   "2004/01/23 12:30\tBeta\r\n";

using Rescan = JournalTest;

TEST_F(Rescan, WorkedExampleForEachSelectedDate) {
    writeHandheld(kJournal, kWorkedExample);

    ScanResult r = scan(kDay);
    ASSERT_TRUE(r.opened);
    EXPECT_EQ(day, (DayState{3, 750, "2004/01/23", 1, 210, -270}));
    EXPECT_EQ(month.newMonthFlag, 0);
    EXPECT_EQ(month.selectedMonthText, "2004/01");
    EXPECT_EQ(r.projects, QStringList({"Alpha", "Beta"}));
    EXPECT_EQ(r.projectEditText, "Beta");
    EXPECT_EQ(r.statusText, "Stop:");
    EXPECT_TRUE(r.removeEnabled);

    r = scan(QDate(2004, 1, 22));
    EXPECT_EQ(day, (DayState{2, 480, "2004/01/22", 0, 240, -240}));
    EXPECT_EQ(r.statusText, "Start:");
    EXPECT_TRUE(r.removeEnabled);

    r = scan(QDate(2004, 2, 1));
    EXPECT_EQ(day, (DayState{0, 0, "2004/02/01", 0, 0, 0}));
    EXPECT_EQ(month.newMonthFlag, 1);
    EXPECT_EQ(r.statusText, "Start:");
    EXPECT_FALSE(r.removeEnabled);
    EXPECT_EQ(r.projects, QStringList({"Alpha", "Beta"}));
    EXPECT_EQ(r.projectEditText, "Beta");
}

TEST_F(Rescan, JournalThatCannotBeOpenedChangesOnlyTheRemoveState) {
    writeHandheld(kJournal, kWorkedExample);
    scan(kDay);
    const DayState before = day;
    // FIFOs in place of the journal, the settings file and the registry: nothing may wait
    // on them, and each is a file that cannot be opened.
    ::alarm(20);
    for (const QString& path : {hostPath(kJournal), hostPath(store.settingsFilePath),
                                home() + QStringLiteral("/registry.ini")}) {
        QFile::remove(path);
        ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    }
    const ScanResult r = scan(QDate(2004, 1, 22));
    EXPECT_FALSE(r.opened);
    EXPECT_FALSE(r.removeEnabled);
    EXPECT_EQ(day, before);
    EXPECT_EQ(month.newMonthFlag, 0);
    EXPECT_EQ(SaveEntry({kDay, "14", "00", {}, {}}, store, day).messageId, StringId::DatabaseError);
    EXPECT_FALSE(SaveSettings(store));
    SettingsStore loaded;
    LoadSettings(loaded);
    EXPECT_EQ(loaded.settings, Settings{});
    ::alarm(0);
}

TEST_F(Rescan, LastLineWithoutLineFeedIsIgnoredUntilItEnds) {
    writeHandheld(kJournal, kHeader + "2004/01/23 08:00\tAlpha");
    ScanResult r = scan(kDay);
    EXPECT_EQ(day.entryCount, 0);
    EXPECT_EQ(month.newMonthFlag, 1);
    EXPECT_TRUE(r.projects.isEmpty());
    EXPECT_EQ(r.projectEditText, "Comment");  // the header's
    writeHandheld(kJournal, kHeader + "2004/01/23 08:00\tAlpha\r\n");
    scan(kDay);
    EXPECT_EQ(day.entryCount, 1);
}

TEST_F(Rescan, PairsByPositionAndClampsAtTheCutOff) {
    store.settings.cutOffTime = 17 * 60;
    // A first line marked Stop still opens the period.
    writeHandheld(kJournal, kHeader + "2004/01/23\t08:00\tA\r\n2004/01/23 18:30\tA\r\n");
    scan(kDay);
    EXPECT_EQ(day.presence, 540);
    EXPECT_EQ(day.periodOpen, 0);

    store.settings.cutOffTime = 0;
    scan(kDay);
    EXPECT_EQ(day.presence, 630);

    // A period ending before its start after the clamp counts negative.
    store.settings.cutOffTime = 17 * 60;
    writeHandheld(kJournal, kHeader + "2004/01/23 17:30\tA\r\n2004/01/23\t18:00\tA\r\n");
    scan(kDay);
    EXPECT_EQ(day.presence, -30);
}

TEST_F(Rescan, ProjectListKeepsFirstSpellingAndSkipsMidnight) {
    writeHandheld(kJournal, kHeader +
                                "2004/01/20 00:00\tNight\r\n"
                                "2004/01/20 08:00\tAlpha\r\n"
                                "2004/01/21 08:00\talpha\r\n"
                                "2004/01/21 09:00\t\xc4rger\r\n"
                                "2004/01/21 10:00\t\xe4RGER\r\n"
                                "2004/01/21 11:00\tGamma\r\n"
                                // Same length and first bytes, yet two projects.
                                "2004/01/21 12:00\tCustomer 1\r\n"
                                "2004/01/21 13:00\tCustomer 2\r\n"
                                "2004/01/21 14:00\tGamma\r\n");
    const ScanResult r = scan(kDay);
    EXPECT_EQ(r.projects, QStringList({"Alpha", QString::fromUtf8("\u00c4rger"), "Gamma",
                                       "Customer 1", "Customer 2"}));
    EXPECT_EQ(r.projectEditText, "Gamma");
}

TEST_F(Rescan, NewMonthFlagLooksAtEveryLineAfterTheFirst) {
    writeHandheld(kJournal, "");
    EXPECT_EQ(scan(kDay).projectEditText, "");
    EXPECT_EQ(month.newMonthFlag, 1);
    // The first line is never tested, even when it is an entry.
    writeHandheld(kJournal, "2004/02/01 08:00\tA\r\n2003/12/31 08:00\tA\r\n");
    scan(QDate(2004, 2, 1));
    EXPECT_EQ(month.newMonthFlag, 1);
    // A later month counts as much as the selected one.
    writeHandheld(kJournal, kHeader + "2004/03/01 08:00\tA\r\n2003/12/31 08:00\tA\r\n");
    scan(QDate(2004, 2, 1));
    EXPECT_EQ(month.newMonthFlag, 0);
    // Bytes above 0x7f compare unsigned.
    writeHandheld(kJournal, kHeader + "\xff\r\n");
    scan(QDate(2004, 2, 1));
    EXPECT_EQ(month.newMonthFlag, 0);
}

TEST_F(Rescan, ShortAndHostileLinesReadAsNothing) {
    // Short lines give 0 and empty texts; a NUL ends a line's text; long lines stay whole.
    writeHandheld(kJournal, kHeader + "2004/01/23\n" + "2004/01/23 9\r\n" +
                                std::string("2004/01/23 10:00\tA\0B\r\n", 22) +
                                "2004/01/23 99999999999\r\n" + "2004/01/24 08:00\t" +
                                std::string(500, 'L') + "\r\n");
    const ScanResult r = scan(kDay);
    EXPECT_EQ(day.entryCount, 3);  // the bare-LF line loses its last character
    EXPECT_EQ(day.periodOpen, 1);
    EXPECT_EQ(day.presence, 60);
    EXPECT_EQ(day.lastStart, INT32_MAX);  // saturated, no overflow
    EXPECT_EQ(r.projects, QStringList({"A", "99999", QString(500, u'L')}));

    // The minutes are the whole integer at column 14.
    writeHandheld(kJournal, kHeader + "2004/01/23 08:001\r\n");
    scan(kDay);
    EXPECT_EQ(day.lastStart, 481);
}

TEST_F(Rescan, LinesAcrossReadsAndOverlongLinesStayApart) {
    std::string bytes = kHeader;
    for (int i = 0; i < 20000; ++i) {  // several reads' worth, lines across their borders
        bytes += "2004/01/22 08:00\tF\r\n";
    }
    // Kept up to its first LineReader::kLongestLine bytes; its rest is not a line.
    bytes += "2004/01/23 08:00\t" + std::string(LineReader::kLongestLine, 'L') +
             "2004/01/23 23:00\tX\r\n" + "2004/01/23\t12:00\tB\r\n";
    writeHandheld(kJournal, bytes);
    const ScanResult r = scan(kDay);
    EXPECT_EQ(day.entryCount, 2);
    EXPECT_EQ(day.presence, 240);
    ASSERT_EQ(r.projects.size(), 3);
    EXPECT_EQ(r.projects[1], QString(LineReader::kLongestLine - 18, u'L'));
}

}  // namespace
}  // namespace tallimer::test
