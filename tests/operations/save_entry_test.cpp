#include "operations/save_entry.h"

#include "operations/rescan_journal.h"
#include "operations_test_support.h"
#include "resources/string_table.h"

namespace tallimer::test {
namespace {

const QDate kDay(2004, 1, 23);

using SaveEntryBytes = JournalTest;

TEST_F(SaveEntryBytes, NewJournalGetsHeaderAndStartThenStopWithTabAtColumnTen) {
    const SaveEntryResult start = save(kDay, "08", "30", "Meeting");
    ASSERT_TRUE(start.success);
    EXPECT_EQ(journal(), kHeader + "2004/01/23 08:30\tMeeting\r\n");
    EXPECT_EQ(journal().size(), 26u + 19u + 7u);
    EXPECT_EQ(start.statusText, "Stop:");
    EXPECT_TRUE(start.removeEnabled);
    EXPECT_EQ(start.projectToAppend, QString("Meeting"));
    EXPECT_EQ(day.entryCount, 1);
    EXPECT_EQ(day.periodOpen, 1);
    EXPECT_EQ(day.lastStart, 510);

    const SaveEntryResult stop = save(kDay, "17", "15", "Meeting");
    ASSERT_TRUE(stop.success);
    EXPECT_EQ(journal(), kHeader + "2004/01/23 08:30\tMeeting\r\n2004/01/23\t17:15\tMeeting\r\n");
    EXPECT_EQ(stop.statusText, "Start:");
    EXPECT_FALSE(stop.projectToAppend.has_value());  // already in the list from the scan
    // 525 minutes present, break charged: 525 - 480 - 30.
    EXPECT_EQ(day, (DayState{2, 510, "2004/01/23", 0, 525, 15}));
    EXPECT_EQ(store.settings.flexBalance, 15);
    // The balance is on disk at once, not only at shutdown.
    EXPECT_EQ(Loaded().settings.flexBalance, 15);
}

TEST_F(SaveEntryBytes, ExistingEmptyFileGetsNoHeaderAndEmptyTimeTextsArePadded) {
    writeHandheld(kJournal, "");
    ASSERT_TRUE(save(kDay, "10", "").success);
    EXPECT_EQ(journal(), "2004/01/23 10:  \t\r\n");
    EXPECT_EQ(day.lastStart, 600);
}

// The project list gains only new names, ignoring case.
TEST_F(SaveEntryBytes, ProjectIsCutTo79CharactersAndEncoded) {
    ASSERT_TRUE(save(kDay, "08", "00", QString(100, u'x')).success);
    EXPECT_EQ(journal(), kHeader + "2004/01/23 08:00\t" + std::string(79, 'x') + "\r\n");

    ASSERT_TRUE(save(kDay, "09", "00", QString::fromUtf8("Caf\u00e9 \u20ac \u4e2d")).success);
    EXPECT_NE(journal().find("2004/01/23\t09:00\tCaf\xe9 \x80 ?\r\n"), std::string::npos);
    EXPECT_FALSE(SaveEntry({kDay, "10", "00", "alpha", {"Alpha"}}, store, day).projectToAppend);
    EXPECT_FALSE(SaveEntry({kDay, "11", "00", "", {"Alpha"}}, store, day).projectToAppend);
}

using SaveEntryTimes = JournalTest;

TEST_F(SaveEntryTimes, StopAfterCutOffIsWrittenAsSelectedButCountsToCutOff) {
    store.settings.cutOffTime = 18 * 60;
    ASSERT_TRUE(save(kDay, "08", "00").success);
    ASSERT_TRUE(save(kDay, "19", "30").success);
    EXPECT_NE(journal().find("2004/01/23\t19:30\t\r\n"), std::string::npos);
    EXPECT_EQ(day.presence, 600);

    // A Start before the Stop as written is taken (only the last Start counts), but its Stop,
    // counted as the cut-off, is earlier: refused.
    ASSERT_TRUE(save(kDay, "18", "30").success);
    const std::string before = journal();
    const SaveEntryResult stop = save(kDay, "19", "00");
    EXPECT_TRUE(!stop.success && stop.messageId == StringId::NotLaterRefusal);
    EXPECT_EQ(journal(), before);
}

TEST_F(SaveEntryTimes, EarlierThanLastStartIsRefusedEqualIsAccepted) {
    ASSERT_TRUE(save(kDay, "12", "00").success);
    scan(kDay);
    const std::string before = journal();
    const DayState dayBefore = day;
    const SaveEntryResult refused = SaveEntry({kDay, "11", "55", {}, {}}, store, day);
    EXPECT_TRUE(!refused.success && refused.messageId == StringId::NotLaterRefusal);
    EXPECT_EQ(journal(), before);
    EXPECT_EQ(day, dayBefore);

    ASSERT_TRUE(save(kDay, "12", "00").success);
    EXPECT_EQ(day.presence, 0);
    EXPECT_EQ(day.credit, -480);
}

TEST_F(SaveEntryTimes, FirstEntryPresetsTheListsToTargetAndBreak) {
    const SaveEntryResult first = save(kDay, "08", "00");
    ASSERT_TRUE(first.preset.has_value());
    const TimeListSelection selection = SelectTimeInLists(*first.preset, 5);
    EXPECT_EQ(selection.hourText, "16");
    EXPECT_EQ(selection.minuteText, QString("30"));
    EXPECT_FALSE(save(kDay, "16", "30").preset.has_value());

    // Past midnight the hour wraps: 960 + 510 is 24:30.
    const SaveEntryResult late = save(kDay.addDays(1), "16", "00");
    ASSERT_TRUE(late.preset.has_value());
    EXPECT_EQ(SelectTimeInLists(*late.preset, 5).hourText, "00");
}

}  // namespace
}  // namespace tallimer::test
