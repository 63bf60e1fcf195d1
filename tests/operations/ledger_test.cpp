#include <QFile>

#include "journal/journal_line.h"
#include "operations/change_intent.h"
#include "operations/ledger_file.h"
#include "operations/operations_test_support.h"
#include "platform/clock.h"

namespace tallimer::test {
namespace {

const QDate kDay(2004, 1, 23);  // a Friday; target 480, break 30, maximum 1200

class LedgerTest : public JournalTest {
  protected:
    void SetUp() override {
        JournalTest::SetUp();
        platform::SetClock(QDateTime(QDate(2004, 1, 26), QTime(9, 15, 30)));
    }
    void TearDown() override {
        platform::UseSystemClock();
        JournalTest::TearDown();
    }
    std::vector<LedgerLine> lines() const { return ReadLedger(store.ledgerPath).text.lines; }
    std::string ledger() const {
        std::string text;
        readHandheld(store.ledgerPath, &text);
        return text;
    }
    // Every line follows from the one before it, and the last holds the balance.
    void expectInStep(int32_t balance) {
        const std::vector<LedgerLine> read = lines();
        ASSERT_FALSE(read.empty());
        EXPECT_EQ(read.front().reason, LedgerReason::Opening);
        for (size_t i = 1; i < read.size(); ++i) {
            EXPECT_EQ(read[i].balance, read[i - 1].balance + read[i].change) << "line " << i;
        }
        EXPECT_EQ(read.back().balance, balance);
    }
};

TEST(LedgerText, LinesReadBackAndDamagedOnesAreLeftOut) {
    const LedgerLine line{QDateTime(QDate(2026, 12, 7), QTime(17, 15, 3)),
                          QDate(2026, 12, 7),
                          QDate(2026, 12, 11),
                          LedgerReason::DayOff,
                          -480,
                          125};
    const QByteArray text = FormatLedgerLine(line);
    EXPECT_EQ(text, "2026/12/07 17:15:03\t2026/12/07..2026/12/11\tday-off\t-480\t125\n");
    EXPECT_EQ(ParseLedgerLine(text.chopped(1).toStdString()), line);
    for (const char* damaged : {"2026/12/07 17:15:03\t2026/12/07\tstop\t+30",
                                "2026/12/07 17:15:03\t2026/12/07\tnap\t+30\t40",
                                "2026/12/07 17:15:03\t2026/12/11..2026/12/07\tstop\t+30\t40",
                                "2026/12/07\t2026/12/07\tstop\t+30\t40",
                                "2026/12/07 17:15:03\t2026/12/07\tstop\t30 min\t40"}) {
        EXPECT_FALSE(ParseLedgerLine(damaged)) << damaged;
    }
    // A last line without its line end is a write that did not finish: "12" of "125".
    const LedgerText read = ReadLedgerText("# kept by hand\nnot a line\n" + text.toStdString() +
                                           text.left(50).toStdString());
    EXPECT_EQ(read.lines.size(), 1u);
    EXPECT_EQ(read.unreadLines, 1);
}

// The start opens the ledger; every command that moves the balance appends one line naming
// itself and its days, and one that does not move it appends nothing.
TEST_F(LedgerTest, EveryChangeOfTheBalanceAppendsOneLine) {
    store.settings.flexBalance = 100;
    ASSERT_TRUE(SaveSettings(store));
    tracker().start();
    EXPECT_FALSE(tracker().ledgerCorrected());
    ASSERT_EQ(save(kDay, "08", "00").outcome, SaveOutcome::Saved);  // a Start moves nothing
    ASSERT_EQ(save(kDay, "12", "00").outcome, SaveOutcome::Saved);  // 240 - 480
    ASSERT_EQ(tracker().removeDay().outcome, RemoveOutcome::Removed);
    ASSERT_EQ(tracker().undo().outcome, UndoOutcome::Undone);
    scan(kDay);
    DayEntriesRead entries = tracker().dayEntries();
    entries.rows[1].time = 13 * 60;
    ASSERT_EQ(tracker().editDay(entries.rows, entries.mark).outcome, EditDayOutcome::Edited);
    ASSERT_EQ(tracker()
                  .changeDays([](DaysBook& book) {
                      book.mark({QDate(2004, 1, 26), DayOffKind::Flexday, false});
                      book.mark({QDate(2004, 1, 27), DayOffKind::Flexday, false});
                  })
                  .outcome,
              DaysOutcome::Changed);
    SetupForm form = SetupFormFor(tracker().store());
    form.balance = QStringLiteral("30:00");
    form.maximum = QStringLiteral("20:00");
    ASSERT_EQ(tracker().applySetup(form).outcome, SetupOutcome::Saved);
    ASSERT_EQ(tracker().applySetup(form).outcome, SetupOutcome::Saved);  // the same balance
    ASSERT_TRUE(tracker().capNewMonth());

    const std::vector<LedgerLine> read = lines();
    const std::vector<std::tuple<LedgerReason, QDate, QDate, int32_t>> expected = {
        {LedgerReason::Opening, QDate(2004, 1, 26), QDate(2004, 1, 26), 100},
        {LedgerReason::Stop, kDay, kDay, -240},
        {LedgerReason::Remove, kDay, kDay, 240},
        {LedgerReason::Undo, kDay, kDay, -240},
        {LedgerReason::Edit, kDay, kDay, 30},  // an hour more, less the break 5 hours owe
        {LedgerReason::DayOff, QDate(2004, 1, 26), QDate(2004, 1, 27), -960},
        {LedgerReason::Setup, QDate(2004, 1, 26), QDate(2004, 1, 26), 1800 - (100 - 210 - 960)},
        {LedgerReason::NewMonthCap, QDate(2004, 1, 26), QDate(2004, 1, 26), 1200 - 1800},
    };
    ASSERT_EQ(read.size(), expected.size()) << ledger();
    for (size_t i = 0; i < read.size(); ++i) {
        const auto& [reason, from, to, change] = expected[i];
        EXPECT_EQ(read[i].reason, reason) << i;
        EXPECT_EQ(read[i].from, from) << i;
        EXPECT_EQ(read[i].to, to) << i;
        EXPECT_EQ(read[i].change, change) << i;
        EXPECT_EQ(read[i].when, platform::LocalNow()) << i;
    }
    expectInStep(balance());
    EXPECT_EQ(balance(), 1200);
}

// A ledger edited by hand or restored from elsewhere: the start says so once and appends a
// correcting line after the hand's last line, which had no line end.
TEST_F(LedgerTest, AStartThatFindsItOutOfStepCorrectsItOnce) {
    store.settings.flexBalance = 100;
    ASSERT_TRUE(SaveSettings(store));
    const std::string byHand = "2004/01/02 08:00:00\t2004/01/02\topening\t0\t70";
    writeHandheld(store.ledgerPath, byHand);
    tracker().start();
    EXPECT_EQ(tracker().ledgerCorrected(), std::nullopt);  // its last line has no end yet
    writeHandheld(store.ledgerPath, byHand + "\n");
    restart();
    tracker().start();
    EXPECT_EQ(tracker().ledgerCorrected(), 70);
    EXPECT_EQ(ledger().substr(0, byHand.size() + 1), byHand + "\n");
    EXPECT_EQ(lines().back().reason, LedgerReason::Correction);
    EXPECT_EQ(lines().back().change, 30);
    expectInStep(100);
    restart();
    tracker().start();
    EXPECT_EQ(tracker().ledgerCorrected(), std::nullopt);
    EXPECT_EQ(lines().size(), 2u);
}

// A crash between the ledger's append and the settings' save, with the append cut short: the
// next start completes the line when the journal holds the change and takes it back when not.
TEST_F(LedgerTest, AnUnfinishedChangesLineFollowsItsJournal) {
    const std::string before = kHeader + "2004/01/23 08:00\tAlpha\r\n";
    const std::string after = before + "2004/01/23\t12:00\tAlpha\r\n";
    const std::string opening = "2004/01/02 08:00:00\t2004/01/02\topening\t0\t0\n";
    Settings stopped = store.settings;
    stopped.flexBalance = -240;
    const LedgerAppend append{qsizetype(opening.size()),
                              "2004/01/26 09:15:30\t2004/01/23\tstop\t-240\t-240\n"};
    for (const bool journalChanged : {true, false}) {
        SCOPED_TRACE(journalChanged);
        writeHandheld(kJournal, journalChanged ? after : before);
        writeHandheld(store.ledgerPath, opening + append.bytes.left(20).toStdString());
        ASSERT_TRUE(WriteIntent({store.databaseDirectory, stopped, store.settings,
                                 JournalChange::Append, MarkOf(before, qsizetype(before.size())),
                                 MarkOf(after, qsizetype(after.size())), append}));
        const int32_t balance = restartedBalance();
        EXPECT_EQ(ledger(), journalChanged ? opening + append.bytes.toStdString() : opening);
        expectInStep(balance);
    }
}

}  // namespace
}  // namespace tallimer::test
