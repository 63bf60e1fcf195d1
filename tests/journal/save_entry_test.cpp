#include "journal/save_entry.h"
#include "journal/rescan_journal.h"
#include "journal_test_support.h"
#include "platform/file.h"
#include "resources/string_table.h"

namespace tallimer::test {
namespace {

const QDate kDay(2004, 1, 23);

using SaveEntryBytes = JournalTest;

TEST_F(SaveEntryBytes, NewJournalIsHeaderThenStartLine) {
    const SaveEntryResult result = save(kDay, "08", "30", "Meeting");
    ASSERT_TRUE(result.success);
    EXPECT_EQ(journal(), kHeader + "2004/01/23 08:30\tMeeting\r\n");
    EXPECT_EQ(journal().size(), 26u + 19u + 7u);
    EXPECT_EQ(result.statusText, "Stop:");
    EXPECT_TRUE(result.removeEnabled);
    EXPECT_EQ(result.projectToAppend, QString("Meeting"));
    EXPECT_EQ(day.entryCount, 1);
    EXPECT_EQ(day.periodOpen, 1);
    EXPECT_EQ(day.lastStart, 510);
}

TEST_F(SaveEntryBytes, StopHasTabAtColumnTenAndMovesTheBalance) {
    ASSERT_TRUE(save(kDay, "08", "30", "Meeting").success);
    const SaveEntryResult stop = save(kDay, "17", "15", "Meeting");
    ASSERT_TRUE(stop.success);
    EXPECT_EQ(journal(), kHeader + "2004/01/23 08:30\tMeeting\r\n2004/01/23\t17:15\tMeeting\r\n");
    EXPECT_EQ(stop.statusText, "Start:");
    EXPECT_FALSE(stop.projectToAppend.has_value());  // already in the list from the scan
    // 525 minutes present, break charged: 525 - 480 - 30.
    EXPECT_EQ(day.presence, 525);
    EXPECT_EQ(day.credit, 15);
    EXPECT_EQ(store.settings.flexBalance, 15);

    // The balance is on disk at once, not only at shutdown.
    SettingsStore reloaded;
    LoadSettings(reloaded);
    EXPECT_EQ(reloaded.settings.flexBalance, 15);
}

TEST_F(SaveEntryBytes, ExistingEmptyFileGetsNoHeader) {
    writeHandheld(kJournal, "");
    ASSERT_TRUE(save(kDay, "09", "00").success);
    EXPECT_EQ(journal(), "2004/01/23 09:00\t\r\n");
}

TEST_F(SaveEntryBytes, EmptyTimeTextsArePaddedAndCountAsZero) {
    ASSERT_TRUE(save(kDay, "10", "").success);
    EXPECT_EQ(journal(), kHeader + "2004/01/23 10:  \t\r\n");
    EXPECT_EQ(day.lastStart, 600);
}

TEST_F(SaveEntryBytes, ProjectIsCutTo79CharactersAndEncoded) {
    const QString longName = QString(100, u'x');
    ASSERT_TRUE(save(kDay, "08", "00", longName).success);
    EXPECT_EQ(journal(), kHeader + "2004/01/23 08:00\t" + std::string(79, 'x') + "\r\n");

    ASSERT_TRUE(save(kDay, "09", "00", QString::fromUtf8("Caf\u00e9 \u20ac \u4e2d")).success);
    EXPECT_NE(journal().find("2004/01/23\t09:00\tCaf\xe9 \x80 ?\r\n"), std::string::npos);
}

TEST_F(SaveEntryBytes, ProjectListGainsOnlyNewNamesIgnoringCase) {
    SaveEntryResult first = SaveEntry({kDay, "08", "00", "alpha", {"Alpha"}}, store, day);
    EXPECT_FALSE(first.projectToAppend.has_value());
    SaveEntryResult second = SaveEntry({kDay, "09", "00", "", {"Alpha"}}, store, day);
    EXPECT_FALSE(second.projectToAppend.has_value());
}

using SaveEntryTimes = JournalTest;

TEST_F(SaveEntryTimes, StopAfterCutOffIsWrittenAsSelectedButCountsToCutOff) {
    store.settings.cutOffTime = 18 * 60;
    ASSERT_TRUE(save(kDay, "08", "00").success);
    ASSERT_TRUE(save(kDay, "19", "30").success);
    EXPECT_NE(journal().find("2004/01/23\t19:30\t\r\n"), std::string::npos);
    EXPECT_EQ(day.presence, 600);
}

TEST_F(SaveEntryTimes, StartAfterCutOffCanNeverBeStopped) {
    store.settings.cutOffTime = 17 * 60;
    ASSERT_TRUE(save(kDay, "17", "30").success);  // E is the cut-off, accepted
    const std::string before = journal();
    const SaveEntryResult stop = save(kDay, "18", "00");
    EXPECT_FALSE(stop.success);
    EXPECT_EQ(stop.messageId, StringId::NotLaterRefusal);
    EXPECT_EQ(journal(), before);
}

TEST_F(SaveEntryTimes, EarlierThanLastStartIsRefusedEqualIsAccepted) {
    ASSERT_TRUE(save(kDay, "12", "00").success);
    scan(kDay);
    const std::string before = journal();
    const DayState dayBefore = day;
    const SaveEntryResult refused = SaveEntry({kDay, "11", "55", {}, {}}, store, day);
    EXPECT_FALSE(refused.success);
    EXPECT_EQ(refused.messageId, StringId::NotLaterRefusal);
    EXPECT_EQ(journal(), before);
    EXPECT_EQ(day, dayBefore);

    const SaveEntryResult same = save(kDay, "12", "00");
    ASSERT_TRUE(same.success);
    EXPECT_EQ(day.presence, 0);
    EXPECT_EQ(day.credit, -480);
}

TEST_F(SaveEntryTimes, StartBeforeThePreviousStopIsWritten) {
    ASSERT_TRUE(save(kDay, "08", "00").success);
    ASSERT_TRUE(save(kDay, "12", "00").success);
    // Compared with the last Start (08:00) only.
    EXPECT_TRUE(save(kDay, "10", "00").success);
}

TEST_F(SaveEntryTimes, FirstEntryPresetsTheListsToTargetAndBreak) {
    const SaveEntryResult first = save(kDay, "08", "00");
    ASSERT_TRUE(first.preset.has_value());
    const TimeListSelection selection = SelectTimeInLists(*first.preset, 5);
    EXPECT_EQ(selection.hourText, "16");
    EXPECT_EQ(selection.minuteText, QString("30"));
    EXPECT_FALSE(save(kDay, "16", "30").preset.has_value());
}

TEST_F(SaveEntryTimes, PresetPastMidnightFallsBackToHour04) {
    const SaveEntryResult first = save(kDay, "16", "00");  // 960 + 510 = 24:30
    ASSERT_TRUE(first.preset.has_value());
    EXPECT_EQ(SelectTimeInLists(*first.preset, 5).hourText, "04");
}

using SaveEntryFailures = JournalTest;

TEST_F(SaveEntryFailures, LockedJournalIsReportedAndNothingChanges) {
    ASSERT_TRUE(save(kDay, "08", "00").success);
    const std::string before = journal();
    const DayState dayBefore = day;
    platform::File holder = platform::File::OpenExisting(kJournal, platform::File::Access::Read);
    ASSERT_TRUE(holder.isOpen());
    const SaveEntryResult result = SaveEntry({kDay, "12", "00", {}, {}}, store, day);
    EXPECT_FALSE(result.success);
    EXPECT_EQ(result.messageId, StringId::DatabaseError);
    EXPECT_EQ(journal(), before);
    EXPECT_EQ(day, dayBefore);
}

}  // namespace
}  // namespace tallimer::test
