// Every command of the Tracker as the window drives it, and what its outcome and snapshot say.

#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <string>
#include <vector>

#include "accounting/month_report.h"
#include "journal/line_reader.h"
#include "operations_test_support.h"
#include "platform/file.h"
#include "resources/string_table.h"

namespace tallimer::test {
namespace {

const QDate kDay(2004, 1, 23);
const std::string kOpenDay = kHeader + "2004/01/22 08:00\tA\r\n2004/01/23 08:00\tA\r\n";

using SaveEntry = JournalTest;

TEST_F(SaveEntry, StartThenStopWithItsBalanceAndTheSnapshotARescanWouldGive) {
    const Done<SaveOutcome> start = save(kDay, "08", "30", "Meeting");
    ASSERT_EQ(start.outcome, SaveOutcome::Saved);
    EXPECT_EQ(journal(), kHeader + "2004/01/23 08:30\tMeeting\r\n");
    EXPECT_EQ(start.snapshot.status, DayStatus::Stop);
    EXPECT_TRUE(start.snapshot.removeEnabled && start.snapshot.canUndo);
    EXPECT_EQ(start.snapshot.projectToAppend, QString("Meeting"));
    // No journal was read yet: the day keeps the text it had, as after any failed read.
    EXPECT_EQ(start.snapshot.day, (DayState{1, 510, {}, 1, 0, 0}));
    // The day's first entry presets the lists to when target and break are reached.
    ASSERT_TRUE(start.snapshot.preset.has_value());
    EXPECT_EQ(SelectTimeInLists(*start.snapshot.preset, 5).hourText, "17");
    EXPECT_EQ(SelectTimeInLists(*start.snapshot.preset, 5).minuteText, QString("00"));

    const Done<SaveOutcome> stop = save(kDay, "17", "15", "Meeting");
    ASSERT_EQ(stop.outcome, SaveOutcome::Saved);
    EXPECT_EQ(journal(), kHeader + "2004/01/23 08:30\tMeeting\r\n2004/01/23\t17:15\tMeeting\r\n");
    EXPECT_EQ(stop.snapshot.status, DayStatus::Start);
    EXPECT_FALSE(stop.snapshot.projectToAppend.has_value());  // already in the list
    EXPECT_FALSE(stop.snapshot.preset.has_value());
    // 525 minutes present, break charged: 525 - 480 - 30; on disk at once.
    EXPECT_EQ(stop.snapshot.day, (DayState{2, 510, "2004/01/23", 0, 525, 15}));
    EXPECT_EQ(balance(), 15);
    EXPECT_EQ(restartedBalance(), 15);
    // What the save left in the snapshot is what a fresh read finds.
    const Snapshot saved = stop.snapshot;
    restart();
    const Snapshot read = scan(kDay).snapshot;
    EXPECT_EQ(saved.day, read.day);
    EXPECT_EQ(saved.projects, read.projects);
    EXPECT_EQ(saved.projectEditText, read.projectEditText);
    // Past midnight the preset's hour wraps: 960 + 510 is 24:30.
    const Done<SaveOutcome> late = save(kDay.addDays(1), "16", "00");
    ASSERT_TRUE(late.snapshot.preset.has_value());
    EXPECT_EQ(SelectTimeInLists(*late.snapshot.preset, 5).hourText, "00");
}

TEST_F(SaveEntry, TextsAreCutAndWrittenInUtf8AndTheListGainsOnlyNewNames) {
    writeHandheld(kJournal, "");  // an existing empty file gets no header
    ASSERT_EQ(save(kDay, "10", "").outcome, SaveOutcome::Saved);
    ASSERT_EQ(save(kDay, "11", "00", QString(100, u'x')).outcome, SaveOutcome::Saved);
    ASSERT_EQ(save(kDay, "12", "00", QString::fromUtf8("Caf\u00e9 \u20ac \u4e2d")).outcome,
              SaveOutcome::Saved);
    // 79 characters, not bytes or UTF-16 units, and never half of one.
    ASSERT_EQ(save(kDay, "13", "00", QString(80, u'\u6771')).outcome, SaveOutcome::Saved);
    ASSERT_EQ(save(kDay, "14", "00", QString(78, u'y') + QString::fromUtf8("\U0001F600z")).outcome,
              SaveOutcome::Saved);
    std::string east;
    for (int i = 0; i < 79; ++i) {
        east += "\xe6\x9d\xb1";
    }
    EXPECT_EQ(journal(), "2004/01/23 10:  \t\r\n2004/01/23\t11:00\t" + std::string(79, 'x') +
                             "\r\n2004/01/23 12:00\tCaf\xc3\xa9 \xe2\x82\xac \xe4\xb8\xad\r\n"
                             "2004/01/23\t13:00\t" +
                             east + "\r\n2004/01/23 14:00\t" + std::string(78, 'y') +
                             "\xf0\x9f\x98\x80\r\n");
    const Done<SaveOutcome> known = tracker().saveEntry({kDay, "15", "00", "alpha", {"Alpha"}});
    EXPECT_FALSE(known.snapshot.projectToAppend);
    EXPECT_FALSE(tracker().saveEntry({kDay, "16", "00", "", {}}).snapshot.projectToAppend);

    // Read back as written, beside a line the handheld wrote in the code page.
    const QString lodz = QString::fromUtf8("\u0141\u00f3d\u017a");
    ASSERT_EQ(save(kDay, "17", "00", lodz).outcome, SaveOutcome::Saved);
    EXPECT_EQ(journal().substr(journal().size() - 9),
              "\xc5\x81\xc3\xb3"
              "d\xc5\xba\r\n");
    writeHandheld(kJournal, journal() + "2004/01/23\t18:00\tM\xfcller\r\n");
    restart();
    const Snapshot read = scan(kDay).snapshot;
    EXPECT_TRUE(read.projects.contains(lodz));
    EXPECT_EQ(read.projectEditText, QString::fromUtf8("M\u00fcller"));
}

TEST_F(SaveEntry, StopAfterCutOffCountsToItAndEarlierThanTheLastStartIsRefused) {
    store.settings.cutOffTime = 18 * 60;
    ASSERT_EQ(save(kDay, "08", "00").outcome, SaveOutcome::Saved);
    ASSERT_EQ(save(kDay, "19", "30").outcome, SaveOutcome::Saved);
    EXPECT_NE(journal().find("2004/01/23\t19:30\t\r\n"), std::string::npos);
    EXPECT_EQ(day().presence, 600);

    // Only the last Start counts, and its Stop, counted as the cut-off, is earlier: refused.
    ASSERT_EQ(save(kDay, "18", "30").outcome, SaveOutcome::Saved);
    const std::string before = journal();
    const DayState dayBefore = day();
    const Done<SaveOutcome> refused = tracker().saveEntry({kDay, "19", "00", {}, {}});
    EXPECT_EQ(refused.outcome, SaveOutcome::NotLater);
    EXPECT_EQ(MessageOf(refused.outcome), StringId::NotLaterRefusal);
    EXPECT_EQ(journal(), before);
    EXPECT_EQ(day(), dayBefore);
}

// Only today's entries later than the clock as the lists show it (moved to the unit) ask.
TEST(EntryIsInFuture, OnlyTodayLaterThanTheClocksMinuteAsTheListsRoundIt) {
    const QDateTime now(kDay, QTime(13, 8, 59));
    struct Case {
        QDate date;
        const char* hour;
        const char* minute;
        int32_t unit;
        bool future;
    };
    const Case cases[] = {
        {kDay, "13", "08", 1, false},              // the same minute
        {kDay, "13", "09", 1, true},               // one minute later
        {kDay.addDays(-1), "22", "30", 1, false},  // another date
        {kDay, "13", "10", 5, false},              // the clock rounded up by the lists
        {kDay, "13", "15", 5, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.hour << ":" << c.minute << " unit " << c.unit);
        EntryPanelInput input;
        input.date = c.date;
        input.hourText = c.hour;
        input.minuteText = c.minute;
        EXPECT_EQ(EntryIsInFuture(input, now, c.unit), c.future);
    }
}

using Rescan = JournalTest;

TEST_F(Rescan, JournalThatCannotBeOpenedChangesOnlyTheRemoveState) {
    writeHandheld(kJournal, kOpenDay);
    const DayState before = scan(kDay).snapshot.day;
    ::alarm(20);  // a FIFO that blocked would hang the test
    for (const QString& path : {hostPath(kJournal), hostPath(store.settingsFilePath),
                                home() + QStringLiteral("/registry.ini")}) {
        QFile::remove(path);
        ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    }
    const Done<ScanOutcome> r = scan(QDate(2004, 1, 22));
    EXPECT_EQ(r.outcome, ScanOutcome::CannotOpen);
    EXPECT_FALSE(r.snapshot.removeEnabled);
    EXPECT_EQ(r.snapshot.day, before);
    EXPECT_EQ(tracker().month().newMonthFlag, 0);
    EXPECT_EQ(tracker().saveEntry({kDay, "14", "00", {}, {}}).outcome, SaveOutcome::DatabaseError);
    EXPECT_FALSE(tracker().saveOnShutdown());
    // Not the defaults: the failed save left its intent, whose settings the start takes up.
    EXPECT_EQ(Loaded().settings, tracker().settings());
    ::alarm(0);
}

TEST_F(Rescan, NewMonthFlagLooksAtEveryLineAfterTheFirst) {
    writeHandheld(kJournal, kHeader + "2004/01/23 08:00\tno line end yet");
    EXPECT_EQ(scan(kDay).outcome, ScanOutcome::Read);
    EXPECT_EQ(tracker().month().newMonthFlag, 1);
    // The first line is never tested, even when it is an entry.
    writeHandheld(kJournal, "2004/02/01 08:00\tA\r\n2003/12/31 08:00\tA\r\n");
    scan(QDate(2004, 2, 1));
    EXPECT_EQ(tracker().month().newMonthFlag, 1);
    // A later month counts as much as the selected one; bytes above 0x7f compare unsigned.
    for (const std::string later : {"2004/03/01 08:00\tA\r\n", "\xff\r\n"}) {
        writeHandheld(kJournal, kHeader + later + "2003/12/31 08:00\tA\r\n");
        scan(QDate(2004, 2, 1));
        EXPECT_EQ(tracker().month().newMonthFlag, 0) << later;
    }
}

TEST_F(Rescan, OneReadFeedsTheLinesAcrossReadsAndOverlongLinesStayApart) {
    std::string bytes = kHeader;
    // A NUL ends a line: here and there, and in the lines about the first read's border.
    const std::string cut("2004/01/22 08:00\tF\0Z\r\n", 22);
    for (int i = 0; i < 20000; ++i) {  // several reads' worth, lines across their borders
        bytes += i % 4999 == 0 || (i > 13100 && i < 13110) ? cut : "2004/01/22 08:00\tF\r\n";
    }
    // Kept up to its first LineReader::kLongestLine bytes; its rest is not a line.
    bytes += "2004/01/23 08:00\t" + std::string(LineReader::kLongestLine, 'L') +
             std::string("\0Y2004/01/23 23:00\tX\r\n", 22) + "2004/01/23\t12:00\tB\r\n";
    writeHandheld(kJournal, bytes);
    int lines = 0;
    tracker().selectDate(kDay, {}, [&lines](std::string_view) { ++lines; });
    const Snapshot r = tracker().snapshot();
    EXPECT_EQ(lines, 20003);
    EXPECT_EQ(r.day.entryCount, 2);
    EXPECT_EQ(r.day.presence, 240);
    ASSERT_EQ(r.projects.size(), 3);
    EXPECT_EQ(r.projects[1], QString(LineReader::kLongestLine - 18, u'L'));
    // The same bytes in memory make the same day.
    DayState fromBytes;
    MonthState monthFromBytes;
    ScanJournalBytes(bytes, store.settings, kDay, fromBytes, monthFromBytes);
    EXPECT_EQ(fromBytes, r.day);
}

using SetupCommand = JournalTest;

// A journal moved to where another program holds it: saved, but as any failed rescan, the state
// stays. The window's test moves it to where there is none.
TEST_F(SetupCommand, MovingTheJournalToAHeldOneKeepsTheDay) {
    writeHandheld(kJournal, kOpenDay);
    const DayState before = scan(kDay).snapshot.day;
    writeHandheld("\\Elsewhere\\Tallimer.txt", kHeader);
    platform::File holder = platform::File::OpenExisting(u"\\Elsewhere\\Tallimer.txt",
                                                         platform::File::Access::ReadWrite);
    ASSERT_TRUE(holder.isOpen());
    SetupForm form = SetupFormFor(tracker().store());
    form.directory = QStringLiteral("\\Elsewhere");
    const Done<SetupOutcome> held = tracker().applySetup(form);
    EXPECT_EQ(held.outcome, SetupOutcome::Saved);
    EXPECT_NE(held.error, 0);
    EXPECT_EQ(held.snapshot.day, before);
    EXPECT_EQ(Loaded().journalPath, "\\Elsewhere\\Tallimer.txt");
}

const std::string kBefore = kOpenDay;

class Undo : public JournalTest {
  protected:
    void SetUp() override {
        JournalTest::SetUp();
        writeHandheld(kJournal, kBefore);
        store.settings.flexBalance = 100;
        ASSERT_TRUE(SaveSettings(store));
    }

    // The journal's bytes, the stored balance and the day as the undo left and a read finds it.
    void expectState(const Done<UndoOutcome>& undone, const std::string& bytes, int32_t balance,
                     int32_t entries) {
        EXPECT_EQ(journal(), bytes);
        EXPECT_EQ(Loaded().settings.flexBalance, balance);
        EXPECT_EQ(this->balance(), balance);
        EXPECT_EQ(undone.snapshot.day.entryCount, entries);
        const Snapshot read = scan(kDay).snapshot;
        EXPECT_EQ(read.day, undone.snapshot.day);
        EXPECT_EQ(read.projects, undone.snapshot.projects);
    }
};

// What a view's sink is handed: its lines, and how often a scan began and ended.
struct Lines : ScanSink {
    void BeginReport(const DayState&) override { ++begun, list.clear(); }
    void ListLine(std::string_view line, int32_t, long long) override { list.emplace_back(line); }
    void FinishReport(const DayState&) override { ++finished; }
    int begun = 0;
    int finished = 0;
    std::vector<std::string> list;
};

// The report's nodes in display order, each indented by its depth.
std::string ReportText(const MonthReport& report) {
    QString text;
    for (const ReportTree::Line& line : report.tree().DisplayOrder()) {
        text += QString(line.depth, u' ') + report.tree().node(line.id).text + u'\n';
    }
    return text.toStdString();
}

// Remove and undo hand the views the content they leave from the read that makes it; the report
// fills the tracker's month as it goes. An undo whose step fails changes nothing, leaves the views
// as a read of the journal shows them, and can be tried again.
TEST_F(Undo, TheViewsGetTheNewContentFromTheCommandsOwnRead) {
    ASSERT_EQ(save(kDay, "12", "00").outcome, SaveOutcome::Saved);
    const auto reread = [this] {
        MonthReport report(tracker().settings(), tracker().month(), kDay);
        ScanSink* const sinks[] = {&report};
        tracker().rescan(sinks);
        return ReportText(report);
    };
    const std::string savedReportText = reread();  // the month holds the saved day
    Lines removed;
    MonthReport removedReport(tracker().settings(), tracker().month(), kDay);
    ScanSink* const sinks[] = {&removed, &removedReport};
    const Done<RemoveOutcome> removal = tracker().removeDay(sinks);
    ASSERT_EQ(removal.outcome, RemoveOutcome::Removed);
    EXPECT_EQ(removal.error, 0);  // the views hold the new content
    EXPECT_TRUE(removal.snapshot.canUndo);
    EXPECT_EQ(removal.snapshot.projects, QStringList{"A"});
    EXPECT_EQ(balance(), 100);
    EXPECT_EQ(removed.list,
              (std::vector<std::string>{"Date       Time \tComment", "2004/01/22 08:00\tA"}));
    EXPECT_EQ(removed.begun + removed.finished, 2);
    EXPECT_EQ(tracker().month().dayTable[23], 0);
    EXPECT_EQ(ReportText(removedReport), reread());

    const std::string removedJournal = journal();
    Lines undone;
    ScanSink* const undoSinks[] = {&undone};
    // The intent's rename, after the copy fed the view, which a read then refills; the journal's
    // open (the second, after the record's); the copy's write; the rename that puts it back.
    using platform::FileStep;
    for (const auto& [step, skip] :
         {std::pair{FileStep::Rename, 0}, std::pair{FileStep::Open, 1},
          std::pair{FileStep::Write, 0}, std::pair{FileStep::Rename, 1}}) {
        platform::FailStep(step, skip);
        const Done<UndoOutcome> failed = tracker().undo(undoSinks);
        platform::ClearFaults();
        EXPECT_EQ(failed.outcome, UndoOutcome::DatabaseError);
        EXPECT_TRUE(failed.snapshot.canUndo);
        EXPECT_EQ(undone.list, removed.list);
        expectState(failed, removedJournal, -140 + 240, 0);
    }
    MonthReport report(tracker().settings(), tracker().month(), kDay);
    ScanSink* const doneSinks[] = {&undone, &report};
    const Done<UndoOutcome> done = tracker().undo(doneSinks);
    ASSERT_EQ(done.outcome, UndoOutcome::Undone);
    EXPECT_EQ(tracker().month().dayTable[23], 240);  // the month undo's read rebuilt
    EXPECT_EQ(ReportText(report), savedReportText);
    EXPECT_EQ(ReportText(report), reread());
    EXPECT_EQ(undone.list.size(), 4u);
    EXPECT_EQ(undone.list.back(), "2004/01/23\t12:00\t");
    expectState(done, kBefore + "2004/01/23\t12:00\t\r\n", -140, 2);
    EXPECT_FALSE(platform::FileExists(UndoCopyPath(store.journalPath)));
    EXPECT_EQ(tracker().undo().outcome, UndoOutcome::NothingToUndo);
}

// One level: a Stop is taken back byte for byte with its balance, and only once; a cut-back
// that fails changes nothing. The settings file failing after the cut, the intent stays, and the
// next start must find the journal at the mark undo wrote: a journal longer than a mark's window.
TEST_F(Undo, TakesBackAStopExactlyOnce) {
    const std::string before = kHeader + LongPast() + kBefore.substr(kHeader.size());
    writeHandheld(kJournal, before);
    ASSERT_EQ(save(kDay, "12", "00").outcome, SaveOutcome::Saved);  // a Stop: credit -240
    const std::string saved = journal();
    platform::FailStep(platform::FileStep::Truncate);
    const Done<UndoOutcome> failed = tracker().undo();
    EXPECT_EQ(failed.outcome, UndoOutcome::DatabaseError);
    EXPECT_TRUE(failed.snapshot.canUndo);
    expectState(failed, saved, -140, 2);

    platform::FailStep(platform::FileStep::Rename, 1);  // the intent's, then the settings file's
    const Done<UndoOutcome> stop = tracker().undo();
    EXPECT_EQ(stop.outcome, UndoOutcome::UndoneBalanceNotSaved);
    EXPECT_EQ(MessageOf(stop.outcome), StringId::DatabaseError);
    EXPECT_FALSE(stop.snapshot.canUndo);
    expectState(stop, before, 100, 1);
    EXPECT_EQ(tracker().undo().outcome, UndoOutcome::NothingToUndo);
}

// A save that creates the journal (another program removed it after the day was read): undo
// removes it again, so the next save writes the header, and leaves the day empty.
TEST_F(Undo, OfTheSaveThatCreatedTheJournalRemovesIt) {
    ASSERT_EQ(save(kDay, "12", "00").outcome, SaveOutcome::Saved);  // 240 minutes present
    ASSERT_TRUE(QFile::remove(hostPath(kJournal)));
    ASSERT_EQ(tracker().saveEntry({kDay, "13", "00", {}, {}}).outcome, SaveOutcome::Saved);
    const Done<UndoOutcome> undone = tracker().undo();
    ASSERT_EQ(undone.outcome, UndoOutcome::Undone);
    EXPECT_EQ(undone.error, ENOENT);  // no content for the views
    EXPECT_FALSE(platform::FileExists(store.journalPath));
    EXPECT_EQ(undone.snapshot.day, (DayState{0, 0, "2004/01/23", 0, 0, 0}));
    EXPECT_EQ(undone.snapshot.status, DayStatus::Start);
    EXPECT_FALSE(undone.snapshot.removeEnabled);
}

// Whatever another program did since, undo leaves it alone and says why.
TEST_F(Undo, RefusedWhenTheJournalChangedOrIsGone) {
    ASSERT_EQ(save(kDay, "12", "00").outcome, SaveOutcome::Saved);
    const std::string saved = journal();
    writeHandheld(kJournal, saved + "2004/01/24 08:00\t\r\n");  // same file, appended to
    EXPECT_FALSE(scan(kDay).snapshot.canUndo);
    EXPECT_EQ(tracker().undo().outcome, UndoOutcome::JournalChanged);
    std::string edited = saved;
    edited[edited.size() - 4] = '1';  // same length, a character changed by an editor
    writeHandheld(kJournal, edited);
    EXPECT_EQ(tracker().undo().outcome, UndoOutcome::JournalChanged);
    EXPECT_EQ(journal(), edited);
    EXPECT_EQ(balance(), -140);

    scan(kDay);
    ASSERT_EQ(tracker().removeDay().outcome, RemoveOutcome::Removed);
    ASSERT_TRUE(QFile::remove(hostPath(kJournal)));
    const Done<UndoOutcome> gone = tracker().undo();
    EXPECT_EQ(gone.outcome, UndoOutcome::JournalGone);
    EXPECT_EQ(MessageOf(gone.outcome), StringId::UndoJournalGone);
}

// A record that is not one of ours (damaged, or written by hand) offers nothing to undo.
TEST(UndoRecordText, OnlyWholeRecordsWithinRangeAreRead) {
    UndoRecord record{UndoKind::Replace,
                      0,
                      {{12, QByteArray(32, 'h')}, 7},
                      -240,
                      {},
                      {},
                      QDate(2026, 12, 7),
                      QDate(2026, 12, 11),
                      LedgerReason::DayOff};
    record.copy = {3, 5, 40, QByteArray(32, 'c')};
    const QByteArray text = FormatUndoRecord(record);
    ASSERT_TRUE(ParseUndoRecord(text.toStdString()));
    for (const auto& [from, to] :
         {std::pair{"\n12\n", "\n-12\n"}, std::pair{"\n-240\n", "\n2147483648\n"},
          std::pair{"replace", "rename"}}) {
        EXPECT_FALSE(ParseUndoRecord(QByteArray(text).replace(from, to).toStdString())) << to;
    }
    // A days change's record also names the days file as the change left it.
    record.kind = UndoKind::Days;
    record.daysAfter = {33, QByteArray(32, 'd')};
    const QByteArray days = FormatUndoRecord(record);
    EXPECT_EQ(ParseUndoRecord(days.toStdString()), record);
    EXPECT_FALSE(ParseUndoRecord(days.left(days.lastIndexOf("\n33\n") + 1).toStdString()));
    EXPECT_FALSE(ParseUndoRecord(QByteArray(days).replace("\n33\n", "\n-1\n").toStdString()));
    // Records of older builds still read: without the change's reason, without the days.
    EXPECT_EQ(ParseUndoRecord(QByteArray(days).replace(" day-off", "").toStdString())->reason,
              std::nullopt);
    record.from = record.to = QDate();
    record.reason.reset();
    EXPECT_EQ(ParseUndoRecord(FormatUndoRecord(record).toStdString()), record);
}

}  // namespace
}  // namespace tallimer::test
