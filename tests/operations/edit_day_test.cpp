// Edit day through the Tracker: the day's lines rewritten in place with the balance, refusals
// that write nothing, undo, and failing steps.

#include "operations_test_support.h"
#include "platform/file.h"

namespace tallimer::test {
namespace {

const QDate kDay(2004, 1, 23);
const std::string kBefore = kHeader + "2004/01/22 08:00\tAlpha 2004/01/23\r\n";
const std::string kBetween = "2004/01/24 09:00\t" + std::string(300, 'p') + "\r\n";
// A bare-LF line and a last line without LF that begins with the date: kept as they are.
const std::string kAfter = "note\n2004/01/23 tail";

class EditDay : public JournalTest {
  protected:
    // Two periods of the day, the second open, with another day's line between them.
    void SetUp() override {
        JournalTest::SetUp();
        writeHandheld(kJournal, kBefore +
                                    "2004/01/23 08:00\tAlpha\r\n2004/01/23\t12:00\tAlpha\r\n" +
                                    kBetween + "2004/01/23 13:00\tBeta\r\n" + kAfter);
        store.settings.flexBalance = 100;
        ASSERT_TRUE(SaveSettings(store));
        ASSERT_EQ(scan(kDay).snapshot.day.credit, -240);
    }

    // The rows the editor opens with, changed by `change`, applied.
    template <typename Change>
    Done<EditDayOutcome> edit(Change change) {
        const DayEntriesRead read = tracker().dayEntries();
        EXPECT_EQ(read.error, 0);
        DayEntryRows rows = read.rows;
        change(rows);
        return tracker().editDay(rows, read.mark);
    }

    // The day as the edit left it is what a fresh read finds.
    void expectDayAsRead(const Done<EditDayOutcome>& done) {
        Tracker fresh(store);
        EXPECT_EQ(fresh.selectDate(kDay).snapshot.day, done.snapshot.day);
    }
};

std::string Day(const std::string& lines) {
    return kBefore + lines + kBetween + kAfter;
}

TEST_F(EditDay, RewritesTheDayInPlaceWithItsBalanceAndUndoTakesItBack) {
    const DayEntriesRead read = tracker().dayEntries();
    ASSERT_EQ(read.rows,
              (DayEntryRows{{480, false, "Alpha"}, {720, true, "Alpha"}, {780, false, "Beta"}}));

    // A Stop 30 minutes later: 30 minutes more credit.
    const Done<EditDayOutcome> later = edit([](DayEntryRows& rows) { rows[1].time = 750; });
    ASSERT_EQ(later.outcome, EditDayOutcome::Edited);
    const std::string laterJournal =
        Day("2004/01/23 08:00\tAlpha\r\n2004/01/23\t12:30\tAlpha\r\n2004/01/23 13:00\tBeta\r\n");
    EXPECT_EQ(journal(), laterJournal);
    EXPECT_EQ(balance(), 130);
    EXPECT_TRUE(later.snapshot.canUndo);
    EXPECT_EQ(later.snapshot.status, DayStatus::Stop);
    EXPECT_FALSE(temporaryLeft());

    // The forgotten Stop: 510 minutes present, the break charged.
    const Done<EditDayOutcome> stop = edit([](DayEntryRows& rows) {
        rows.push_back({17 * 60, true, "Beta"});
    });
    ASSERT_EQ(stop.outcome, EditDayOutcome::Edited);
    const std::string stoppedJournal =
        Day("2004/01/23 08:00\tAlpha\r\n2004/01/23\t12:30\tAlpha\r\n2004/01/23 13:00\tBeta\r\n"
            "2004/01/23\t17:00\tBeta\r\n");
    EXPECT_EQ(journal(), stoppedJournal);
    EXPECT_EQ(balance(), 100 + 30 + 210);
    EXPECT_EQ(restartedBalance(), 340);
    expectDayAsRead(stop);

    // Deleting the first period leaves the second.
    const Done<EditDayOutcome> deleted =
        edit([](DayEntryRows& rows) { rows.erase(rows.begin(), rows.begin() + 2); });
    ASSERT_EQ(deleted.outcome, EditDayOutcome::Edited);
    EXPECT_EQ(journal(), Day("2004/01/23 13:00\tBeta\r\n2004/01/23\t17:00\tBeta\r\n"));
    EXPECT_EQ(balance(), 340 - 240);

    const Done<UndoOutcome> undone = tracker().undo();
    ASSERT_EQ(undone.outcome, UndoOutcome::Undone);
    EXPECT_EQ(journal(), stoppedJournal);
    EXPECT_EQ(restartedBalance(), 340);
    EXPECT_EQ(undone.snapshot.day.entryCount, 4);
}

TEST_F(EditDay, AnUnchangedLineKeepsItsBytesAndAChangedOneIsWrittenInUtf8) {
    // The handheld's code page, and an hour typed without its zero.
    writeHandheld(kJournal, kBefore +
                                "2004/01/23  8:00\tM\xfcller\r\n2004/01/23\t12:00\tM\xfcller\r\n" +
                                kBetween + "2004/01/23 13:00\tBeta\r\n" + kAfter);
    ASSERT_EQ(scan(kDay).snapshot.day.credit, -240);
    const Done<EditDayOutcome> edited = edit([](DayEntryRows& rows) {
        EXPECT_EQ(rows[0].project, QString::fromUtf8("M\u00fcller"));
        rows[2].project = QString::fromUtf8("\u0141\u00f3d\u017a");
    });
    ASSERT_EQ(edited.outcome, EditDayOutcome::Edited);
    EXPECT_EQ(journal(), Day("2004/01/23  8:00\tM\xfcller\r\n2004/01/23\t12:00\tM\xfcller\r\n"
                             "2004/01/23 13:00\t\xc5\x81\xc3\xb3"
                             "d\xc5\xba\r\n"));
}

TEST_F(EditDay, RefusedRowsAndAnOutsideChangeWriteNothing) {
    const std::string before = journal();
    const DayEntryRow start{480, false, "A"};
    const DayEntryRow stop{600, true, "A"};
    const std::pair<DayEntryRows, EditDayOutcome> refused[] = {
        {{start, {24 * 60, true, "A"}}, EditDayOutcome::TimeOutOfRange},
        {{start, {479, true, "A"}}, EditDayOutcome::NotInOrder},
        {{stop}, EditDayOutcome::NotAlternating},
        {{start, stop, stop}, EditDayOutcome::NotAlternating},
    };
    const JournalMark mark = tracker().dayEntries().mark;
    for (const auto& [rows, outcome] : refused) {
        EXPECT_EQ(tracker().editDay(rows, mark).outcome, outcome);
    }
    // Another program appended meanwhile.
    writeHandheld(kJournal, before + "\r\n");
    EXPECT_EQ(tracker().editDay({start, stop}, mark).outcome, EditDayOutcome::JournalChanged);
    EXPECT_EQ(journal(), before + "\r\n");
    EXPECT_EQ(restartedBalance(), 100);
    EXPECT_FALSE(temporaryLeft());

    EXPECT_EQ(EntryTimeOfText(u"8:05"), 485);
    EXPECT_EQ(EntryTimeOfText(u" 23:59 "), 1439);
    for (const char16_t* text : {u"24:00", u"8:5", u"8", u"-1:00", u""}) {
        EXPECT_FALSE(EntryTimeOfText(text).has_value());
    }
    EXPECT_EQ(EntryTimeText(485), "8:05");
}

// The copy's write, the intent's rename, the journal's rename.
TEST_F(EditDay, AFailingStepLeavesJournalAndBalanceAsTheyWere) {
    const std::string before = journal();
    using platform::FileStep;
    for (const auto& [step, skip] : {std::pair{FileStep::Write, 0}, std::pair{FileStep::Rename, 0},
                                     std::pair{FileStep::Rename, 1}}) {
        platform::FailStep(step, skip);
        const Done<EditDayOutcome> failed = edit([](DayEntryRows& rows) { rows[1].time = 750; });
        platform::ClearFaults();
        EXPECT_EQ(failed.outcome, EditDayOutcome::DatabaseError);
        EXPECT_EQ(journal(), before);
        EXPECT_EQ(balance(), 100);
        EXPECT_EQ(restartedBalance(), 100);
        EXPECT_EQ(failed.snapshot.day.credit, -240);
        EXPECT_FALSE(temporaryLeft());
    }
}

}  // namespace
}  // namespace tallimer::test
