#include "operations/undo.h"
#include "operations/remove_day_entries.h"
#include "operations_test_support.h"
#include "platform/file.h"
#include "resources/string_table.h"

namespace tallimer::test {
namespace {

const QDate kDay(2004, 1, 23);
const std::string kBefore = kHeader + "2004/01/22 08:00\tA\r\n2004/01/23 08:00\tA\r\n";

class Undo : public JournalTest {
  protected:
    void SetUp() override {
        JournalTest::SetUp();
        writeHandheld(kJournal, kBefore);
        store.settings.flexBalance = 100;
        ASSERT_TRUE(SaveSettings(store));
    }

    // The journal's bytes, the stored balance and the day as a fresh scan finds them.
    void expectState(const std::string& bytes, int32_t balance, int32_t entries) {
        EXPECT_EQ(journal(), bytes);
        EXPECT_EQ(Loaded().settings.flexBalance, balance);
        EXPECT_EQ(store.settings.flexBalance, balance);
        scan(kDay);
        EXPECT_EQ(day.entryCount, entries);
    }
};

// One level: each change is taken back byte for byte with its balance, and only once.
TEST_F(Undo, TakesBackAStopAndARemoveExactlyOnce) {
    ASSERT_TRUE(save(kDay, "12", "00").success);  // a Stop: credit -240
    expectState(kBefore + "2004/01/23\t12:00\t\r\n", -140, 2);
    EXPECT_TRUE(CanUndo(store));
    ASSERT_TRUE(UndoLastChange(store, day).success);
    expectState(kBefore, 100, 1);
    EXPECT_EQ(UndoLastChange(store, day).messageId, StringId::NothingToUndo);
    EXPECT_FALSE(CanUndo(store));

    ASSERT_TRUE(save(kDay, "12", "00").success);
    scan(kDay);
    ASSERT_TRUE(RemoveDayEntries(store, day).success);
    expectState(kHeader + "2004/01/22 08:00\tA\r\n", 100 + 240 - 240, 0);
    ASSERT_TRUE(UndoLastChange(store, day).success);
    expectState(kBefore + "2004/01/23\t12:00\t\r\n", -140, 2);
    EXPECT_FALSE(platform::FileExists(UndoCopyPath(store.journalPath)));
    EXPECT_EQ(UndoLastChange(store, day).messageId, StringId::NothingToUndo);
}

// The first save creates the journal; undo removes it again, so the next save writes the header.
TEST_F(Undo, OfTheSaveThatCreatedTheJournalRemovesIt) {
    ASSERT_TRUE(QFile::remove(hostPath(kJournal)));
    ASSERT_TRUE(save(kDay, "08", "00").success);
    ASSERT_TRUE(UndoLastChange(store, day).success);
    EXPECT_FALSE(platform::FileExists(store.journalPath));
    EXPECT_EQ(day.entryCount, 0);
    EXPECT_EQ(day.periodOpen, 0);
}

// Whatever another program did since, undo leaves it alone and says why.
TEST_F(Undo, RefusedWhenTheJournalChangedOrIsGone) {
    ASSERT_TRUE(save(kDay, "12", "00").success);
    const std::string saved = journal();
    writeHandheld(kJournal, saved + "2004/01/24 08:00\t\r\n");  // same file, appended to
    EXPECT_EQ(UndoLastChange(store, day).messageId, StringId::UndoJournalChanged);
    std::string edited = saved;
    edited[edited.size() - 4] = '1';  // same length, a character changed by an editor
    writeHandheld(kJournal, edited);
    EXPECT_EQ(UndoLastChange(store, day).messageId, StringId::UndoJournalChanged);
    EXPECT_EQ(journal(), edited);
    EXPECT_EQ(store.settings.flexBalance, -140);

    scan(kDay);
    ASSERT_TRUE(RemoveDayEntries(store, day).success);
    ASSERT_TRUE(QFile::remove(hostPath(kJournal)));
    EXPECT_EQ(UndoLastChange(store, day).messageId, StringId::UndoJournalGone);
}

// A record that is not one of ours (damaged, or written by hand) offers nothing to undo.
TEST(UndoRecordText, OnlyWholeRecordsWithinRangeAreRead) {
    const UndoRecord record{UndoKind::Replace,
                            0,
                            {{12, QByteArray(32, 'h')}, 7},
                            -240,
                            {3, 5, 40, QByteArray(32, 'c')}};
    const QByteArray text = FormatUndoRecord(record);
    const auto read = ParseUndoRecord(text.toStdString());
    ASSERT_TRUE(read);
    EXPECT_EQ(read->after, record.after);
    EXPECT_EQ(read->balanceChange, -240);
    EXPECT_EQ(read->copy, record.copy);
    for (const auto& [from, to] :
         {std::pair{"\n12\n", "\n-12\n"}, std::pair{"\n-240\n", "\n2147483648\n"},
          std::pair{"replace", "rename"}}) {
        EXPECT_FALSE(ParseUndoRecord(QByteArray(text).replace(from, to).toStdString())) << to;
    }
}

// An undo whose step fails changes nothing and can be tried again.
TEST_F(Undo, FailedStepLeavesJournalAndBalanceForAnotherTry) {
    ASSERT_TRUE(save(kDay, "12", "00").success);
    scan(kDay);
    ASSERT_TRUE(RemoveDayEntries(store, day).success);
    const std::string removed = journal();
    // The second open is the journal's, after the record's.
    for (const auto& [step, skip] :
         {std::pair{platform::FileStep::Rename, 0}, std::pair{platform::FileStep::Open, 1}}) {
        platform::FailStep(step, skip);
        EXPECT_EQ(UndoLastChange(store, day).messageId, StringId::DatabaseError);
        platform::ClearFaults();
        expectState(removed, -140 + 240, 0);
    }
    ASSERT_TRUE(UndoLastChange(store, day).success);
    expectState(kBefore + "2004/01/23\t12:00\t\r\n", -140, 2);
}

}  // namespace
}  // namespace tallimer::test
