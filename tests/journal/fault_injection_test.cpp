// Every file step of Save Entry and Remove made to fail in turn: the operation reports
// "Error with database access" and leaves journal, balance, day state and folder as they were.

#include "journal/remove_day_entries.h"
#include "journal/rescan_journal.h"
#include "journal/save_entry.h"
#include "journal_test_support.h"
#include "platform/fault.h"
#include "platform/file.h"
#include "resources/string_table.h"

namespace tallimer::test {
namespace {

using platform::FileStep;

const QDate kDay(2004, 1, 23);
constexpr int32_t kBalance = 100;

// Everything a failed operation must leave as it was.
struct Snapshot {
    std::string journal;
    DayState day;
    int32_t balance = 0;
    std::string settingsFile;
};

class FaultTest : public JournalTest {
  protected:
    void SetUp() override {
        JournalTest::SetUp();
        store.settings.flexBalance = kBalance;
        ASSERT_TRUE(SaveSettings(store));
    }

    Snapshot take() const {
        Snapshot s;
        readHandheld(kJournal, &s.journal);
        s.day = day;
        s.balance = store.settings.flexBalance;
        readHandheld(store.settingsFilePath, &s.settingsFile);
        return s;
    }

    // The balance, in memory and on disk, the day state and the folder are as before.
    void expectStateKept(const Snapshot& before) const {
        const Snapshot after = take();
        EXPECT_EQ(after.day, before.day);
        EXPECT_EQ(after.balance, before.balance);
        EXPECT_EQ(after.settingsFile, before.settingsFile);
        EXPECT_FALSE(platform::FileExists(u"tmp"));
    }
};

// ---- Save Entry ----

// What the journal holds after the failed save.
enum class Left { Unchanged, NoJournal, HeaderOnly };

struct SaveFaultCase {
    const char* name;
    FileStep step;
    int skip;
    bool newJournal;  // no journal before the save: the save creates it
    Left left;
};

const SaveFaultCase kSaveFaults[] = {
    {"JournalOpen", FileStep::Open, 0, false, Left::Unchanged},
    {"JournalLock", FileStep::Lock, 0, false, Left::Unchanged},
    {"SeekToEnd", FileStep::Seek, 0, false, Left::Unchanged},
    {"EntryWriteDiskFull", FileStep::Write, 0, false, Left::Unchanged},
    {"EntryFlush", FileStep::Flush, 0, false, Left::Unchanged},
    {"NewJournalOpen", FileStep::Open, 0, true, Left::NoJournal},
    {"NewJournalLock", FileStep::Lock, 0, true, Left::NoJournal},
    // The next save then finds no file and writes the header.
    {"HeaderWriteDiskFull", FileStep::Write, 0, true, Left::NoJournal},
    // The header was complete, so it stays, and the next save adds no second one.
    {"EntryWriteDiskFullOnNewJournal", FileStep::Write, 1, true, Left::HeaderOnly},
};

void PrintTo(const SaveFaultCase& c, std::ostream* os) {
    *os << c.name;
}

class SaveEntryFault : public FaultTest, public ::testing::WithParamInterface<SaveFaultCase> {};

TEST_P(SaveEntryFault, ReportsAndChangesNothing) {
    const SaveFaultCase& fault = GetParam();
    // An existing journal holds an open period, so the save is a Stop that would move the
    // balance; a new journal gets a Start.
    std::string line = "2004/01/23\t12:00\tBeta\r\n";
    if (fault.newJournal) {
        line = "2004/01/23 12:00\tBeta\r\n";
    } else {
        writeHandheld(kJournal, kHeader + "2004/01/22 08:00\tAlpha\r\n2004/01/23 08:00\tAlpha\r\n");
    }
    const ScanResult scanned = scan(kDay);
    const EntryPanelInput input{kDay, "12", "00", "Beta", scanned.projects};
    const Snapshot before = take();

    platform::FailStep(fault.step, fault.skip);
    const SaveEntryResult result = SaveEntry(input, store, day);
    platform::ClearFaults();

    EXPECT_FALSE(result.success);
    EXPECT_EQ(result.messageId, StringId::DatabaseError);
    EXPECT_FALSE(result.projectToAppend.has_value());
    std::string now;
    const bool exists = readHandheld(kJournal, &now);
    switch (fault.left) {
        case Left::Unchanged:
            EXPECT_TRUE(exists);
            EXPECT_EQ(now, before.journal);
            break;
        case Left::NoJournal:
            EXPECT_FALSE(exists);
            break;
        case Left::HeaderOnly:
            EXPECT_EQ(now, kHeader);
            break;
    }
    expectStateKept(before);

    // The same save then works and leaves one header and one line.
    ASSERT_TRUE(SaveEntry(input, store, day).success);
    EXPECT_EQ(journal(), (fault.newJournal ? kHeader : before.journal) + line);
    if (!fault.newJournal) {
        // 4 hours present against a target of 8.
        EXPECT_EQ(store.settings.flexBalance, kBalance - 240);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryStep, SaveEntryFault, ::testing::ValuesIn(kSaveFaults),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Remove ----

struct RemoveFaultCase {
    const char* name;
    FileStep step;
    int skip;
};

const RemoveFaultCase kRemoveFaults[] = {
    {"JournalOpen", FileStep::Open, 0},       {"JournalLock", FileStep::Lock, 0},
    {"JournalRead", FileStep::Read, 0},       {"TmpCreate", FileStep::Open, 1},
    {"TmpLock", FileStep::Lock, 1},           {"TmpEmptying", FileStep::Truncate, 0},
    {"TmpWriteDiskFull", FileStep::Write, 0}, {"TmpFlush", FileStep::Flush, 0},
    {"TmpClose", FileStep::Close, 0},         {"Rename", FileStep::Rename, 0},
};

void PrintTo(const RemoveFaultCase& c, std::ostream* os) {
    *os << c.name;
}

const std::string kOtherDays = "2004/01/22 08:00\tAlpha\r\n2004/01/22\t12:00\tAlpha\r\n";
const std::string kLaterDay = "2004/01/24 09:00\tGamma\r\n";

class RemoveDayFault : public FaultTest, public ::testing::WithParamInterface<RemoveFaultCase> {};

TEST_P(RemoveDayFault, ReportsAndChangesNothing) {
    const RemoveFaultCase& fault = GetParam();
    // Two closed periods of 4 hours on the selected day: a credit of 8 - 8 - 0.5 hours.
    writeHandheld(kJournal,
                  kHeader + kOtherDays + "2004/01/23 08:00\tAlpha\r\n2004/01/23\t12:00\tAlpha\r\n" +
                      kLaterDay + "2004/01/23 12:30\tBeta\r\n2004/01/23\t16:30\tBeta\r\n");
    ASSERT_TRUE(scan(kDay).opened);
    ASSERT_EQ(day.credit, -30);
    const Snapshot before = take();

    platform::FailStep(fault.step, fault.skip);
    const RemoveResult result = RemoveDayEntries(store, day);
    platform::ClearFaults();

    EXPECT_FALSE(result.success);
    EXPECT_EQ(result.messageId, StringId::DatabaseError);
    EXPECT_EQ(journal(), before.journal);
    expectStateKept(before);

    // And then it works.
    ASSERT_TRUE(RemoveDayEntries(store, day).success);
    EXPECT_EQ(journal(), kHeader + kOtherDays + kLaterDay);
    EXPECT_EQ(store.settings.flexBalance, kBalance + 30);
    EXPECT_FALSE(platform::FileExists(u"tmp"));
}

INSTANTIATE_TEST_SUITE_P(EveryStep, RemoveDayFault, ::testing::ValuesIn(kRemoveFaults),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tallimer::test
