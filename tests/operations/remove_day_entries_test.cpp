#include <random>

#include "journal/kept_lines.h"
#include "operations_test_support.h"
#include "operations/remove_day_entries.h"
#include "operations/rescan_journal.h"
#include "platform/file.h"
#include "resources/string_table.h"

namespace tallimer::test {
namespace {

const QDate kDay(2004, 1, 23);
const std::string kOtherDays =
    "2004/01/22 08:00\tAlpha\r\n"
    "2004/01/22\t12:00\tAlpha 2004/01/23 mentioned\r\n";
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
        ASSERT_TRUE(scan(kDay).opened);
        ASSERT_EQ(day.entryCount, 3);
        ASSERT_EQ(day.credit, -240);
    }
};

TEST_F(RemoveDay, KeepsEveryOtherLineByteForByte) {
    const RemoveResult result = RemoveDayEntries(store, day);
    ASSERT_TRUE(result.success);
    EXPECT_EQ(result.statusText, "Start:");
    EXPECT_EQ(journal(), kHeader + kOtherDays + kLongLine);
    EXPECT_FALSE(platform::FileExists(u"tmp"));
    // A debit of 240 comes back to the balance, and it is saved at once.
    EXPECT_EQ(store.settings.flexBalance, 340);
    EXPECT_EQ(day, (DayState{0, 0, "2004/01/23", 0, 0, 0}));
    SettingsStore reloaded;
    LoadSettings(reloaded);
    EXPECT_EQ(reloaded.settings.flexBalance, 340);

    // Nothing left to remove: silent.
    const RemoveResult again = RemoveDayEntries(store, day);
    EXPECT_FALSE(again.success);
    EXPECT_EQ(again.messageId, 0);
}

TEST_F(RemoveDay, CopiesOddLinesAsTheyAre) {
    // Bare-LF lines, an empty line, a long line and a last line without LF.
    const std::string odd = std::string("note\n") + "\n" + "2004/01/23 10:00\tx\n" +
                            std::string(5000, 'z') + "\r\n" + "2004/01/23 tail";
    writeHandheld(kJournal, kHeader + "2004/01/23 08:00\tA\r\n" + odd);
    ASSERT_TRUE(scan(kDay).opened);
    ASSERT_TRUE(RemoveDayEntries(store, day).success);
    // "2004/01/23 10:00\tx\n" ends in a bare LF, so its last character is cut before the
    // comparison and it still begins with the date: removed like any line of the day.
    EXPECT_EQ(journal(),
              kHeader + "note\n" + "\n" + std::string(5000, 'z') + "\r\n" + "2004/01/23 tail");
}

TEST_F(RemoveDay, HeldJournalOrTmpChangesNothing) {
    const std::string before = journal();
    const DayState dayBefore = day;
    auto removeWhileHeld = [&](const QString& path) {
        platform::File holder = platform::File::OpenExisting(path, platform::File::Access::Read);
        ASSERT_TRUE(holder.isOpen());
        const RemoveResult result = RemoveDayEntries(store, day);
        EXPECT_FALSE(result.success);
        EXPECT_EQ(result.messageId, StringId::DatabaseError);
        EXPECT_EQ(journal(), before);
        EXPECT_EQ(day, dayBefore);
        EXPECT_EQ(store.settings.flexBalance, 100);
    };
    removeWhileHeld(kJournal);
    EXPECT_FALSE(platform::FileExists(u"tmp"));

    writeHandheld("tmp", "someone else's");
    removeWhileHeld("tmp");
    std::string tmp;
    ASSERT_TRUE(readHandheld("tmp", &tmp));
    EXPECT_EQ(tmp, "someone else's");
}

TEST(KeptLines, AnyInputLosesExactlyTheSelectedDaysCompleteLines) {
    const std::string key = "2004/01/23";
    std::string in;
    std::string expected;
    std::mt19937 rng(12345);
    for (int i = 0; i < 2000; ++i) {
        std::string line = rng() % 3 == 0 ? key : "";
        for (int k = int(rng() % 200); k > 0; --k) {
            const char c = char(rng());
            line.push_back(c == '\n' ? 'n' : c);
        }
        line.push_back('\n');
        // The line's last two characters are cut before the date is compared.
        const std::string cut = line.substr(0, line.size() >= 2 ? line.size() - 2 : 0);
        const bool selected = cut.compare(0, key.size(), key) == 0 &&
                              cut.find('\0') >= key.size() && cut.size() >= key.size();
        if (!selected) {
            expected += line;
        }
        in += line;
    }
    in += key + " unterminated";
    expected += key + " unterminated";
    std::string out;
    AppendKeptLines(in, key, out);
    EXPECT_EQ(out, expected);
}

// ---- Hostile journals through scan and remove ----

using HostileJournal = JournalTest;

TEST_F(HostileJournal, RandomBytesThroughScanAndRemove) {
    using namespace std::string_literals;
    const std::string pieces[] = {"2004/01/23", " ",  "\t",   "\r\n", "\n",         "\r",
                                  ":",          "-",  "0",    "99",   "\0"s,        "08:00",
                                  "2004/01/2",  "ab", "\xff", "+",    "99999999999"};
    std::mt19937 rng(20041023);
    for (int round = 0; round < 300; ++round) {
        std::string bytes;
        for (int i = int(rng() % 400); i > 0; --i) {
            // Now and then a long run of one byte.
            bytes += rng() % 50 == 0 ? std::string(rng() % 3000, char(rng()))
                                     : pieces[rng() % std::size(pieces)];
        }
        writeHandheld(kJournal, bytes);
        for (int32_t view : {ViewDaySummary, ViewEntryList, ViewReport}) {
            store.settings.viewKind = view;
            ScanSink sink;  // hands lines on the way the shown view gets them
            ASSERT_TRUE(RescanJournal(store, kDay, day, month, &sink).opened);
        }
        EXPECT_GE(day.entryCount, 0);
        EXPECT_TRUE(day.periodOpen == 0 || day.periodOpen == 1);

        if (day.entryCount > 0) {
            ASSERT_TRUE(RemoveDayEntries(store, day).success);
            std::string expected;
            AppendKeptLines(bytes, "2004/01/23", expected);
            ASSERT_EQ(journal(), expected);
            scan(kDay);
            EXPECT_EQ(day.entryCount, 0);
        }
    }
}

}  // namespace
}  // namespace tallimer::test
