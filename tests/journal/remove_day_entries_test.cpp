#include <QFile>

#include "journal/remove_day_entries.h"
#include "journal_test_support.h"
#include "platform/file.h"
#include "resources/string_table.h"

namespace tallimer::test {
namespace {

const QDate kDay(2004, 1, 23);
const std::string kOtherDays =
    "2004/01/22 08:00\tAlpha\r\n"
    "2004/01/22\t12:00\tAlpha 2004/01/23 mentioned\r\n";

class RemoveDay : public JournalTest {
  protected:
    // A journal with other days around two periods of the selected day, scanned.
    void SetUp() override {
        JournalTest::SetUp();
        writeHandheld(kJournal, kHeader + kOtherDays +
                                    "2004/01/23 08:00\tAlpha\r\n"
                                    "2004/01/23\t12:00\tAlpha\r\n"
                                    "2004/01/24 09:00\t" +
                                    std::string(300, 'p') + "\r\n" + "2004/01/23 13:00\tBeta\r\n");
        store.settings.flexBalance = 100;
        ASSERT_TRUE(scan(kDay).opened);
        ASSERT_EQ(day.entryCount, 3);
        ASSERT_EQ(day.credit, -240);
    }

    bool tmpExists() const { return QFile::exists(hostPath("tmp")); }

    // A failed Remove changes nothing at all.
    void expectUnchanged(const RemoveResult& result, const std::string& before,
                         const DayState& dayBefore) {
        EXPECT_FALSE(result.success);
        EXPECT_EQ(result.messageId, StringId::DatabaseError);
        EXPECT_EQ(journal(), before);
        EXPECT_EQ(day, dayBefore);
        EXPECT_EQ(store.settings.flexBalance, 100);
        EXPECT_FALSE(tmpExists());
    }
};

TEST_F(RemoveDay, KeepsEveryOtherLineByteForByte) {
    const RemoveResult result = RemoveDayEntries(store, day);
    ASSERT_TRUE(result.success);
    EXPECT_EQ(result.statusText, "Start:");
    EXPECT_EQ(journal(),
              kHeader + kOtherDays + "2004/01/24 09:00\t" + std::string(300, 'p') + "\r\n");
    EXPECT_FALSE(tmpExists());
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

TEST_F(RemoveDay, LockedJournalChangesNothing) {
    const std::string before = journal();
    const DayState dayBefore = day;
    platform::File holder = platform::File::OpenExisting(kJournal, platform::File::Access::Read);
    ASSERT_TRUE(holder.isOpen());
    expectUnchanged(RemoveDayEntries(store, day), before, dayBefore);
}

TEST_F(RemoveDay, TmpHeldByAnotherChangesNothing) {
    writeHandheld("tmp", "someone else's");
    platform::File holder = platform::File::OpenExisting(u"tmp", platform::File::Access::Read);
    ASSERT_TRUE(holder.isOpen());
    const std::string before = journal();
    const DayState dayBefore = day;
    const RemoveResult result = RemoveDayEntries(store, day);
    EXPECT_FALSE(result.success);
    EXPECT_EQ(journal(), before);
    EXPECT_EQ(day, dayBefore);
    std::string tmp;
    ASSERT_TRUE(readHandheld("tmp", &tmp));
    EXPECT_EQ(tmp, "someone else's");
}

TEST(KeptLines, AnyInputLosesExactlyTheSelectedDaysCompleteLines) {
    const std::string key = "2004/01/23";
    std::string in;
    std::string expected;
    uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    for (int i = 0; i < 2000; ++i) {
        std::string line;
        if (next() % 3 == 0) {
            line = key;
        }
        const int length = int(next() % 200);
        for (int k = 0; k < length; ++k) {
            const char c = char(next() >> 16);
            line.push_back(c == '\n' ? 'n' : c);
        }
        line.push_back('\n');
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

}  // namespace
}  // namespace tallimer::test
