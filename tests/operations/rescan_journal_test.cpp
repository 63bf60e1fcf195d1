#include "operations/rescan_journal.h"

#include <sys/stat.h>
#include <unistd.h>

#include "journal/line_reader.h"
#include "operations/setup_form.h"
#include "operations_test_support.h"
#include "platform/file.h"
#include "resources/string_table.h"

namespace tallimer::test {
namespace {

const QDate kDay(2004, 1, 23);
const std::string kOpenDay = kHeader + "2004/01/22 08:00\tA\r\n2004/01/23 08:00\tA\r\n";

using Rescan = JournalTest;

TEST_F(Rescan, JournalThatCannotBeOpenedChangesOnlyTheRemoveState) {
    writeHandheld(kJournal, kOpenDay);
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
    // Not the defaults: the failed save left its intent, whose settings the start takes up.
    EXPECT_EQ(Loaded().settings, store.settings);
    ::alarm(0);
}

// The old day's open period must not turn the first Save into the new journal into a Stop.
TEST_F(Rescan, AfterSetupMovedTheJournalTheDayIsTheNewJournals) {
    writeHandheld(kJournal, kOpenDay);
    scan(kDay);
    ASSERT_EQ(day.periodOpen, 1);
    const DayState before = day;
    const QString journalBefore = store.journalPath;
    store.databaseDirectory = QStringLiteral("\\Elsewhere\\");
    BuildFilePaths(store);

    // Held by another program: as any failed rescan, the state stays.
    writeHandheld(store.journalPath, kHeader);
    {
        platform::File holder =
            platform::File::OpenExisting(store.journalPath, platform::File::Access::ReadWrite);
        ASSERT_TRUE(holder.isOpen());
        EXPECT_FALSE(RescanAfterSetup(store, journalBefore, kDay, day, month).opened);
        EXPECT_EQ(day, before);
    }
    // Not there yet: an empty day, Remove off, status Start.
    ASSERT_TRUE(platform::DeleteFile(store.journalPath));
    const ScanResult r = RescanAfterSetup(store, journalBefore, kDay, day, month);
    EXPECT_EQ(day, (DayState{0, 0, "2004/01/23", 0, 0, 0}));
    EXPECT_FALSE(r.removeEnabled);
    EXPECT_EQ(r.statusText, "Start:");

    // Setup without a move keeps the rule of every rescan.
    day = before;
    RescanAfterSetup(store, store.journalPath, kDay, day, month);
    EXPECT_EQ(day, before);
}

TEST_F(Rescan, NewMonthFlagLooksAtEveryLineAfterTheFirst) {
    writeHandheld(kJournal, kHeader + "2004/01/23 08:00\tno line end yet");
    scan(kDay);
    EXPECT_EQ(month.newMonthFlag, 1);
    // The first line is never tested, even when it is an entry.
    writeHandheld(kJournal, "2004/02/01 08:00\tA\r\n2003/12/31 08:00\tA\r\n");
    scan(QDate(2004, 2, 1));
    EXPECT_EQ(month.newMonthFlag, 1);
    // A later month counts as much as the selected one; bytes above 0x7f compare unsigned.
    for (const std::string later : {"2004/03/01 08:00\tA\r\n", "\xff\r\n"}) {
        writeHandheld(kJournal, kHeader + later + "2003/12/31 08:00\tA\r\n");
        scan(QDate(2004, 2, 1));
        EXPECT_EQ(month.newMonthFlag, 0) << later;
    }
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
    // The same bytes in memory make the same day.
    DayState fromBytes;
    MonthState monthFromBytes;
    ScanJournalBytes(bytes, store.settings, kDay, fromBytes, monthFromBytes);
    EXPECT_EQ(fromBytes, day);
}

}  // namespace
}  // namespace tallimer::test
