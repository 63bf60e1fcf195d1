#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "journal/kept_lines.h"
#include "operations_test_support.h"

namespace tallimer::test {
namespace {

const QDate kDay(2004, 1, 23);
const std::string kOtherDays =
    "2004/01/22 08:00\tAlpha\r\n2004/01/22\t12:00\tAlpha 2004/01/23 mentioned\r\n";
const std::string kLongLine = "2004/01/24 09:00\t" + std::string(300, 'p') + "\r\n";

class RemoveDay : public JournalTest {
  protected:
    // A journal with other days around two periods of the selected day, scanned.
    void SetUp() override {
        JournalTest::SetUp();
        writeHandheld(kJournal, kHeader + kOtherDays +
                                    "2004/01/23 08:00\tAlpha\r\n2004/01/23\t12:00\tAlpha\r\n" +
                                    kLongLine + "2004/01/23 13:00\tBeta\r\n");
        store.settings.flexBalance = 100;
        const Done<ScanOutcome> scanned = scan(kDay);
        ASSERT_EQ(scanned.outcome, ScanOutcome::Read);
        ASSERT_EQ(scanned.snapshot.day.entryCount, 3);
        ASSERT_EQ(scanned.snapshot.day.credit, -240);
    }
};

TEST_F(RemoveDay, KeepsEveryOtherLineByteForByte) {
    const Done<RemoveOutcome> result = tracker().removeDay();
    ASSERT_EQ(result.outcome, RemoveOutcome::Removed);
    EXPECT_EQ(result.snapshot.status, DayStatus::Start);
    EXPECT_FALSE(result.snapshot.removeEnabled);
    EXPECT_EQ(journal(), kHeader + kOtherDays + kLongLine);
    EXPECT_FALSE(temporaryLeft());
    // A debit of 240 comes back to the balance, and it is saved at once.
    EXPECT_EQ(balance(), 340);
    EXPECT_EQ(result.snapshot.day, (DayState{0, 0, "2004/01/23", 0, 0, 0}));
    EXPECT_EQ(Loaded().settings.flexBalance, 340);
    const Done<RemoveOutcome> again = tracker().removeDay();  // nothing left: silent
    EXPECT_EQ(again.outcome, RemoveOutcome::NothingToRemove);
    EXPECT_EQ(MessageOf(again.outcome), 0);
}

TEST_F(RemoveDay, KeepsTheJournalsModeAndLinkAndRefusesAReadOnlyOne) {
    const std::string before = journal();
    const QByteArray path = QFile::encodeName(hostPath(kJournal));
    ASSERT_EQ(::chmod(path.constData(), 0444), 0);
    EXPECT_EQ(tracker().removeDay().outcome, RemoveOutcome::DatabaseError);
    EXPECT_EQ(tracker().saveEntry({kDay, "14", "00", {}, {}}).outcome, SaveOutcome::DatabaseError);
    EXPECT_EQ(journal(), before);

    // Private, and a link to a file elsewhere: both stay so.
    const QByteArray real = QFile::encodeName(hostPath("real.txt"));
    ASSERT_EQ(::rename(path.constData(), real.constData()), 0);
    ASSERT_EQ(::chmod(real.constData(), 0600), 0);
    ASSERT_EQ(::symlink(real.constData(), path.constData()), 0);
    ASSERT_EQ(tracker().removeDay().outcome, RemoveOutcome::Removed);
    EXPECT_TRUE(QFileInfo(hostPath(kJournal)).isSymLink());
    EXPECT_EQ(journal(), kHeader + kOtherDays + kLongLine);
    struct stat info {};
    ASSERT_EQ(::stat(real.constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(RemoveDay, CopyNeedsMemoryIndependentOfTheJournalsSize) {
    std::string big = kHeader;
    const std::string line = "2004/01/23 08:00\t" + std::string(100, 'x') + "\r\n";
    while (big.size() < (16 << 20)) {
        big += line;
    }
    writeHandheld(kJournal, big + kLongLine);
    std::string().swap(big);
    // 16 MiB of journal, 8 MiB of address space to spare.
    EXPECT_EXIT(
        {
            std::ifstream statm("/proc/self/statm");
            unsigned long pages = 0;
            statm >> pages;
            const rlim_t room = pages * ::sysconf(_SC_PAGESIZE) + (8 << 20);
            rlimit limit{};
            limit.rlim_cur = limit.rlim_max = room;
            ::setrlimit(RLIMIT_AS, &limit);
            std::_Exit(tracker().removeDay().outcome == RemoveOutcome::Removed ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(journal(), kHeader + kLongLine);
}

// Nothing saved is no reason to undo a Remove that is done: the journal and the balance in
// memory hold it, and the balance is saved at the next chance (at the latest at shutdown).
TEST_F(RemoveDay, SucceedsWhileTheSettingsCannotBeSaved) {
    ASSERT_TRUE(SaveSettings(store));
    ASSERT_TRUE(QFile::remove(home() + "/registry.ini"));
    ASSERT_TRUE(QDir(home()).mkpath("registry.ini"));  // the registry cannot be written
    // Nor the settings file: the renames are the intent's, the journal's, then its own.
    platform::FailStep(platform::FileStep::Rename, 2);
    EXPECT_EQ(tracker().removeDay().outcome, RemoveOutcome::Removed);
    EXPECT_EQ(journal(), kHeader + kOtherDays + kLongLine);
    EXPECT_EQ(balance(), 340);
    EXPECT_EQ(day().entryCount, 0);
    // The intent stays, and the next start takes the balance that belongs to the journal.
    EXPECT_TRUE(IntentExists());
    EXPECT_EQ(Loaded().settings.flexBalance, 340);
}

TEST_F(RemoveDay, CopiesOddLinesAsTheyAre) {
    // Bare-LF lines, an empty line, a long line, a NUL in a date and a last line without LF.
    const std::string odd = std::string("note\n") + "\n" + "2004/01/23 10:00\tx\n" +
                            std::string(5000, 'z') + "\r\n" +
                            std::string("2004/01/2\0003\r\n", 13) + "2004/01/23 tail";
    writeHandheld(kJournal, kHeader + "2004/01/23 08:00\tA\r\n" + odd);
    ASSERT_EQ(scan(kDay).outcome, ScanOutcome::Read);
    std::string whole;  // the copy made of the whole journal at once keeps the same bytes
    AppendKeptLines(journal(), "2004/01/23", whole);
    ASSERT_EQ(tracker().removeDay().outcome, RemoveOutcome::Removed);
    EXPECT_EQ(journal(), whole);
    // "2004/01/23 10:00\tx\n" ends in a bare LF, so its last character is cut before the
    // comparison and it still begins with the date: removed like any line of the day.
    EXPECT_EQ(journal(), kHeader + "note\n" + "\n" + std::string(5000, 'z') + "\r\n" +
                             std::string("2004/01/2\0003\r\n", 13) + "2004/01/23 tail");
}

}  // namespace
}  // namespace tallimer::test
