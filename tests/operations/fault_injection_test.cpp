// Every file step of Save Entry and Remove fails in turn: the operation reports, logs one line,
// and changes nothing; steps after the journal changed leave an intent the next start finishes.

#include "operations_test_support.h"
#include "resources/string_table.h"

namespace tallimer::test {
namespace {

using platform::FileStep;

const QDate kDay(2004, 1, 23);
constexpr int32_t kBalance = 100;

class FaultTest : public JournalTest {
  protected:
    void SetUp() override {
        JournalTest::SetUp();
        store.settings.flexBalance = kBalance;
        ASSERT_TRUE(SaveSettings(store));
    }

    // Runs `operation` with `step` failing once after `skip` calls, and checks that it reports
    // and leaves the balance, in memory and on disk, the day state and the folder as before.
    template <typename Operation>
    auto runFailing(FileStep step, int skip, Operation operation) {
        const DayState dayBefore = day();
        StorageLog log;
        platform::FailStep(step, skip);
        const auto result = operation();
        platform::ClearFaults();
        // The fault seam fails a write as a full disk, any other step as an I/O error.
        const QString reason =
            step == FileStep::Write ? "No space left on device" : "Input/output error";
        EXPECT_EQ(log.lines.size(), 1);
        for (const QString& line : log.lines) {
            EXPECT_TRUE(line.contains(": " + home() + "/") && line.endsWith(": " + reason))
                << line.toStdString();
        }
        EXPECT_EQ(MessageOf(result.outcome), StringId::DatabaseError);
        EXPECT_EQ(result.snapshot.day, dayBefore);
        EXPECT_EQ(balance(), kBalance);
        std::string settingsFile;
        readHandheld(store.settingsFilePath, &settingsFile);
        EXPECT_EQ(settingsFile, "Flexitime = 1:40\r\n");
        EXPECT_FALSE(temporaryLeft());
        EXPECT_EQ(QDir(home()).entryList({"Tallimer.intent*"}), QStringList());
        return result;
    }
};

// What the journal holds after a failed save.
enum class Left { Unchanged, NoJournal, HeaderOnly };

struct FaultCase {
    const char* name;
    FileStep step;
    int skip = 0;
    bool newJournal = false;  // no journal before the save: the save creates it
    Left left = Left::Unchanged;
};

std::string Name(const ::testing::TestParamInfo<FaultCase>& info) {
    return info.param.name;
}

// ---- Save Entry ----

const FaultCase kSaveFaults[] = {
    {"JournalOpen", FileStep::Open},
    {"JournalLock", FileStep::Lock},
    {"SeekToEnd", FileStep::Seek},
    {"TailRead", FileStep::Read},
    {"IntentCreate", FileStep::Open, 1},
    {"IntentLock", FileStep::Lock, 1},
    {"IntentWriteDiskFull", FileStep::Write},
    {"IntentFlush", FileStep::Flush},
    {"IntentClose", FileStep::Close},
    {"IntentRename", FileStep::Rename},
    {"EntrySeek", FileStep::Seek, 2},
    {"EntryWriteDiskFull", FileStep::Write, 1},
    {"EntryFlush", FileStep::Flush, 1},
    {"NewJournalOpen", FileStep::Open, 0, true, Left::NoJournal},
    {"NewJournalLock", FileStep::Lock, 0, true, Left::NoJournal},
    // The next save then finds no file and writes the header.
    {"HeaderWriteDiskFull", FileStep::Write, 0, true, Left::NoJournal},
    // The header was complete, so it stays, and the next save adds no second one.
    {"EntryWriteDiskFullOnNewJournal", FileStep::Write, 1, true, Left::HeaderOnly},
};

class SaveEntryFault : public FaultTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(SaveEntryFault, ReportsAndChangesNothing) {
    const FaultCase& fault = GetParam();
    // An existing journal holds an open period, so the save is a Stop that would move the
    // balance; a new journal gets a Start.
    const std::string line =
        fault.newJournal ? "2004/01/23 12:00\tBeta\r\n" : "2004/01/23\t12:00\tBeta\r\n";
    if (!fault.newJournal) {
        writeHandheld(kJournal, kHeader + "2004/01/22 08:00\tAlpha\r\n2004/01/23 08:00\tAlpha\r\n");
    }
    const EntryPanelInput input{kDay, "12", "00", "Beta", scan(kDay).snapshot.projects};
    const std::string before = journal();

    const Done<SaveOutcome> result =
        runFailing(fault.step, fault.skip, [&] { return tracker().saveEntry(input); });
    EXPECT_FALSE(result.snapshot.projectToAppend.has_value());
    std::string now;
    EXPECT_EQ(readHandheld(kJournal, &now), fault.left != Left::NoJournal);
    EXPECT_EQ(now, fault.left == Left::Unchanged    ? before
                   : fault.left == Left::HeaderOnly ? kHeader
                                                    : "");

    // The same save then works and leaves one header and one line.
    ASSERT_EQ(tracker().saveEntry(input).outcome, SaveOutcome::Saved);
    EXPECT_EQ(journal(), (fault.newJournal ? kHeader : before) + line);
    // An existing journal: 4 hours present against a target of 8.
    EXPECT_EQ(balance(), fault.newJournal ? kBalance : kBalance - 240);
}

INSTANTIATE_TEST_SUITE_P(EveryStep, SaveEntryFault, ::testing::ValuesIn(kSaveFaults), Name);

// ---- Remove ----

const FaultCase kRemoveFaults[] = {
    {"JournalOpen", FileStep::Open},
    {"JournalLock", FileStep::Lock},
    {"JournalRead", FileStep::Read},
    {"TmpCreate", FileStep::Open, 1},
    {"TmpLock", FileStep::Lock, 1},
    {"TmpMode", FileStep::Attributes},
    {"TmpWriteDiskFull", FileStep::Write},
    // The intent is written once the kept lines are; the temporary is made durable after it.
    {"IntentCreate", FileStep::Open, 2},
    {"IntentLock", FileStep::Lock, 2},
    {"IntentWrite", FileStep::Write, 1},
    {"IntentFlush", FileStep::Flush},
    {"IntentClose", FileStep::Close},
    {"IntentRename", FileStep::Rename},
    {"TmpFlush", FileStep::Flush, 1},
    {"TmpClose", FileStep::Close, 1},
    {"JournalRename", FileStep::Rename, 1},
};

const std::string kOtherDays = "2004/01/22 08:00\tAlpha\r\n2004/01/22\t12:00\tAlpha\r\n";
const std::string kLaterDay = "2004/01/24 09:00\tGamma\r\n";

class RemoveDayFault : public FaultTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(RemoveDayFault, ReportsAndChangesNothing) {
    const FaultCase& fault = GetParam();
    // Two closed periods of 4 hours on the selected day: a credit of 8 - 8 - 0.5 hours.
    writeHandheld(kJournal,
                  kHeader + kOtherDays + "2004/01/23 08:00\tAlpha\r\n2004/01/23\t12:00\tAlpha\r\n" +
                      kLaterDay + "2004/01/23 12:30\tBeta\r\n2004/01/23\t16:30\tBeta\r\n");
    ASSERT_EQ(scan(kDay).snapshot.day.credit, -30);
    const std::string before = journal();
    runFailing(fault.step, fault.skip, [&] { return tracker().removeDay(); });
    EXPECT_EQ(journal(), before);

    // And then it works.
    ASSERT_EQ(tracker().removeDay().outcome, RemoveOutcome::Removed);
    EXPECT_EQ(journal(), kHeader + kOtherDays + kLaterDay);
    EXPECT_EQ(balance(), kBalance + 30);
    EXPECT_FALSE(temporaryLeft());
}

INSTANTIATE_TEST_SUITE_P(EveryStep, RemoveDayFault, ::testing::ValuesIn(kRemoveFaults), Name);

// ---- Steps after the journal changed, and crashes between the steps ----

// Longer than a mark's window: the next start must read the marks as the change wrote them.
const std::string kOpen = kHeader + LongPast() + "2004/01/23 08:00\tAlpha\r\n";
const std::string kStop = "2004/01/23\t12:00\tAlpha\r\n";  // 4 hours: the balance less 240

// The Stop is saved, but its settings or the intent's removal are not: the intent stays, and
// the next start brings settings file and registry to the journal's balance. A settings file
// that fails after the registry was written is the crash between the two writes.
TEST_F(FaultTest, UnfinishedStopIsFinishedAtNextStart) {
    const std::pair<FileStep, int> steps[] = {
        {FileStep::Open, 3}, {FileStep::Write, 2}, {FileStep::Rename, 1}, {FileStep::Delete, 0}};
    for (const auto& [step, skip] : steps) {
        SCOPED_TRACE(int(step));
        writeHandheld(kJournal, kOpen);
        ASSERT_TRUE(SaveSettings(store));
        restart();
        const EntryPanelInput input{kDay, "12", "00", "Alpha", scan(kDay).snapshot.projects};
        platform::FailStep(step, skip);
        StorageLog log;
        EXPECT_EQ(tracker().saveEntry(input).outcome, SaveOutcome::Saved);
        platform::ClearFaults();
        EXPECT_TRUE(IntentExists());
        // Out of step until the next start, and said so.
        ASSERT_EQ(log.lines.size(), 1);
        EXPECT_TRUE(log.lines[0].contains(step == FileStep::Delete ? ".intent: " : ".ini: "));
        EXPECT_EQ(restartedBalance(), kBalance - 240);
        EXPECT_EQ(journal(), kOpen + kStop);
    }
}

// A Stop's line half written, neither cut back nor its intent removed, as a crash leaves it:
// the next start cuts it back by the mark the save wrote.
TEST_F(FaultTest, HalfWrittenStopIsCutBackAtNextStart) {
    writeHandheld(kJournal, kOpen);
    const EntryPanelInput input{kDay, "12", "00", "Alpha", scan(kDay).snapshot.projects};
    for (const FileStep step : {FileStep::Write, FileStep::Truncate, FileStep::Delete}) {
        platform::FailStep(step, step == FileStep::Write ? 1 : 0);  // the entry's write
    }
    EXPECT_EQ(tracker().saveEntry(input).outcome, SaveOutcome::DatabaseError);
    platform::ClearFaults();
    ASSERT_TRUE(IntentExists());
    EXPECT_EQ(journal().size(), kOpen.size() + kStop.size() / 2);
    EXPECT_EQ(restartedBalance(), kBalance);
    EXPECT_EQ(journal(), kOpen);
}

// A crash after the intent was written, with the settings file stale from an earlier failed
// save: a journal as before gets the balance from before, one with the line the balance after,
// a half-written line is cut back, and a journal changed by something else is left alone.
TEST_F(FaultTest, LeftoverIntentIsFinishedOrDropped) {
    const std::string other = "2004/01/23\t13:00\tOther\r\n";
    const struct {
        std::string journal, left;
        int32_t balance;
    } cases[] = {
        {kOpen, kOpen, kBalance},
        {kOpen + kStop, kOpen + kStop, kBalance - 240},
        {kOpen + kStop.substr(0, 7), kOpen, kBalance},
        {kOpen + other, kOpen + other, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.journal.size());
        Settings after = store.settings;
        after.flexBalance = kBalance - 240;
        BalanceChange change;
        ASSERT_TRUE(change.Begin(store, after, JournalChange::Append, MarkOf(kOpen, kOpen.size()),
                                 MarkOf(kOpen + kStop, kOpen.size() + kStop.size()), {}));
        writeHandheld(kJournal, c.journal);
        writeHandheld(store.settingsFilePath, "Flexitime = 0:0\r\n");
        EXPECT_EQ(restartedBalance(), c.balance);
        EXPECT_EQ(journal(), c.left);
    }
    // An intent file that is no change record is removed and changes nothing.
    WriteHostFile(IntentFilePath(), "after=00\njournal=append\n");
    EXPECT_EQ(restartedBalance(), 0);
}

}  // namespace
}  // namespace tallimer::test
