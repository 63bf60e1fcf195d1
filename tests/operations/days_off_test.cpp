#include "accounting/day_summary.h"
#include "operations/days_file.h"
#include "operations/operations_test_support.h"
#include "resources/string_table.h"

namespace tallimer::test {
namespace {

const QDate kThursday(2004, 1, 22);
const QDate kFriday(2004, 1, 23);

class DaysOff : public JournalTest {
  protected:
    DaysOutcome mark(QDate date, DayOffKind kind, bool half = false) {
        return tracker().changeDays([&](DaysBook& book) { book.mark({date, kind, half}); }).outcome;
    }
    DaysOutcome clear(QDate date) {
        return tracker().changeDays([&](DaysBook& book) { book.clear(date); }).outcome;
    }
    std::string daysFile() const {
        std::string text;
        readHandheld(store.daysFilePath, &text);
        return text;
    }
};

// Target 480, break 30. The balance moves by each day's new credit less its old, whether the
// day has entries or not, and a Save and a Remove on a day off book against its terms.
TEST_F(DaysOff, MarkingChangingAndClearingBookTheDaysCredit) {
    save(kFriday, "08", "00");
    save(kFriday, "13", "00");
    ASSERT_EQ(balance(), -210);  // 300 - 480 - 30

    EXPECT_EQ(mark(kFriday, DayOffKind::Vacation, true), DaysOutcome::Changed);
    EXPECT_EQ(balance(), 30);  // half the target counts as worked
    EXPECT_EQ(day().credit, 30);
    EXPECT_EQ(day().dayOff, DayOffKind::Vacation);
    EXPECT_EQ(mark(kFriday, DayOffKind::Vacation, true), DaysOutcome::Unchanged);
    EXPECT_EQ(mark(kFriday, DayOffKind::Flexday), DaysOutcome::Changed);
    EXPECT_EQ(balance(), -210);  // a flexitime day off counts nothing
    EXPECT_EQ(mark(kThursday, DayOffKind::Flexday), DaysOutcome::Changed);
    EXPECT_EQ(balance(), -690);  // its target is owed without entries
    EXPECT_NE(daysFile().find("2004/01/22\tflexday\twhole\n2004/01/23\tflexday\twhole\n"),
              std::string::npos);

    // A half sick day on Thursday: its periods book against the half target left.
    EXPECT_EQ(mark(kThursday, DayOffKind::Sick, true), DaysOutcome::Changed);
    EXPECT_EQ(balance(), -450);
    save(kThursday, "08", "00");
    save(kThursday, "12", "00");
    EXPECT_EQ(balance(), -210);  // 240 worked meets the half target, no break charged
    EXPECT_EQ(tracker().removeDay({}).outcome, RemoveOutcome::Removed);
    EXPECT_EQ(balance(), -450);  // the day off's credit stays booked

    EXPECT_EQ(clear(kThursday), DaysOutcome::Changed);
    EXPECT_EQ(clear(kFriday), DaysOutcome::Changed);
    EXPECT_EQ(balance(), -210);
    EXPECT_EQ(restartedBalance(), -210);
    // The Remove's undo is void after a days change, booked under the old terms; the days
    // change itself is what undo takes back.
    EXPECT_TRUE(tracker().snapshot().canUndo);
}

// Undo puts the old days file and the balance back as one change, and the day takes the old
// terms; it is refused when the days file was changed since, and a later Save is undone first.
TEST_F(DaysOff, UndoPutsTheBookAndTheBalanceBack) {
    save(kFriday, "08", "00");
    save(kFriday, "13", "00");
    EXPECT_EQ(mark(kFriday, DayOffKind::Vacation, true), DaysOutcome::Changed);
    const std::string halfDay = daysFile();
    EXPECT_EQ(mark(kThursday, DayOffKind::Flexday), DaysOutcome::Changed);
    ASSERT_EQ(balance(), -450);
    scan(kThursday);
    ASSERT_TRUE(tracker().snapshot().canUndo);
    EXPECT_EQ(tracker().undo().outcome, UndoOutcome::Undone);
    EXPECT_EQ(balance(), 30);
    EXPECT_EQ(daysFile(), halfDay);
    EXPECT_EQ(day().credit, 0);  // Thursday is no day off again: no target without entries
    EXPECT_FALSE(day().dayOff.has_value());
    EXPECT_FALSE(tracker().snapshot().canUndo);  // one level
    EXPECT_EQ(restartedBalance(), 30);

    // Changed by hand since: refused, nothing moves.
    EXPECT_EQ(mark(kThursday, DayOffKind::Sick), DaysOutcome::Changed);
    writeHandheld(store.daysFilePath, halfDay + "2004/01/21\tholiday\twhole\n");
    const Done<UndoOutcome> refused = tracker().undo();
    EXPECT_EQ(refused.outcome, UndoOutcome::DaysChanged);
    EXPECT_EQ(LoadString(MessageOf(refused.outcome)),
              "Not undone!\nThe days off have been changed since.");
    EXPECT_EQ(balance(), 30);  // a sick day counts its target as worked
    EXPECT_EQ(tracker().undo().outcome, UndoOutcome::DaysChanged);

    // A Save after a days change is the last change: undo takes back the Save alone.
    EXPECT_EQ(mark(kThursday, DayOffKind::Flexday), DaysOutcome::Changed);
    const std::string flexday = daysFile();
    save(kThursday, "08", "00");
    EXPECT_EQ(tracker().undo().outcome, UndoOutcome::Undone);
    EXPECT_EQ(daysFile(), flexday);
    EXPECT_FALSE(tracker().snapshot().canUndo);
}

// A days file changed by hand is booked when the program looks (Unchanged once it holds it), or
// along with the next change made in the program; its own text stays as written.
TEST_F(DaysOff, AChangeByHandIsBookedOnce) {
    save(kFriday, "08", "00");
    save(kFriday, "13", "00");
    ASSERT_EQ(balance(), -210);
    tracker().start();  // from here on the days file's changes by hand show
    EXPECT_EQ(tracker().bookDaysFile().outcome, DaysOutcome::Unchanged);
    const std::string byHand = "# by hand\n2004/01/23\tvacation\thalf\n";
    writeHandheld(store.daysFilePath, byHand);
    EXPECT_EQ(tracker().bookDaysFile().outcome, DaysOutcome::Changed);
    EXPECT_EQ(balance(), 30);
    EXPECT_EQ(daysFile(), byHand);
    EXPECT_EQ(tracker().bookDaysFile().outcome, DaysOutcome::Unchanged);
    EXPECT_EQ(restartedBalance(), 30);

    // By hand again, then a change in the program: both are booked, nothing twice.
    writeHandheld(store.daysFilePath, byHand + "2004/01/22\tflexday\twhole\n");
    EXPECT_EQ(mark(kFriday, DayOffKind::Holiday), DaysOutcome::Changed);
    EXPECT_EQ(balance(), -480 + 270);  // Thursday owes 480; Friday: 300 + 480 - 480 - 30
    EXPECT_EQ(tracker().bookDaysFile().outcome, DaysOutcome::Unchanged);
    // Undo takes back what that change booked: the file as it was before the hand edit.
    EXPECT_EQ(tracker().undo().outcome, UndoOutcome::Undone);
    EXPECT_EQ(daysFile(), byHand);
    EXPECT_EQ(balance(), 30);
}

// A plan from Wednesday on rebooks the days from then on and leaves Monday as it was.
TEST_F(DaysOff, AWeekPlanRebooksOnlyTheDaysItHoldsFor) {
    for (const QDate date : {QDate(2004, 1, 19), kThursday}) {
        save(date, "08", "00");
        save(date, "16", "00");
    }
    ASSERT_EQ(balance(), -60);  // 480 - 480 - 30, twice
    const WeekPlan plan{QDate(2004, 1, 21), {420, 420, 420, 420, 300, 0, 0}};
    EXPECT_EQ(tracker().changeDays([&](DaysBook& book) { book.setWeek(plan); }).outcome,
              DaysOutcome::Changed);
    EXPECT_EQ(balance(), 0);  // Thursday: 480 - 420 - 30
    scan(kFriday);
    EXPECT_TRUE(DaySummaryAt(day(), tracker().settings(), 13 * 60).debit.endsWith(u" 05:30"));
}

// A days file that cannot be replaced changes nothing: not the balance, not the file, and no
// intent is left.
TEST_F(DaysOff, AFailedWriteChangesNothing) {
    save(kFriday, "08", "00");
    EXPECT_EQ(mark(kThursday, DayOffKind::Flexday), DaysOutcome::Changed);
    const std::string before = daysFile();
    platform::FailStep(platform::FileStep::Rename, 0);
    EXPECT_EQ(mark(kFriday, DayOffKind::Holiday), DaysOutcome::DatabaseError);
    EXPECT_EQ(daysFile(), before);
    EXPECT_EQ(balance(), -480);
    EXPECT_EQ(restartedBalance(), -480);
}

// An intent a crash left after the days file's rename is finished at the next start; one left
// before it is dropped.
TEST_F(DaysOff, AStartFinishesOrDropsAnUnfinishedDaysChange) {
    EXPECT_EQ(mark(kThursday, DayOffKind::Flexday), DaysOutcome::Changed);
    const std::string text = daysFile();
    SettingsStore saved = store;
    saved.settings = tracker().settings();
    ChangeIntent intent{store.databaseDirectory,
                        saved.settings,
                        saved.settings,
                        JournalChange::Days,
                        DaysMark(""),
                        DaysMark(text),
                        {}};
    intent.before.flexBalance = 0;
    saved.settings.flexBalance = 0;  // the crash came before the settings' save
    ASSERT_TRUE(StoreSettings(saved));
    ASSERT_TRUE(WriteIntent(intent));
    EXPECT_EQ(restartedBalance(), -480);

    intent.oldJournal = DaysMark(text);  // the crash came before the rename
    intent.newJournal = DaysMark(text + "2004/01/23\tflexday\twhole\n");
    intent.before.flexBalance = -480;
    intent.after.flexBalance = -960;
    ASSERT_TRUE(WriteIntent(intent));
    EXPECT_EQ(restartedBalance(), -480);
}

}  // namespace
}  // namespace tallimer::test
