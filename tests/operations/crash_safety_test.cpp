// Kills a writer of entries at random moments: the next start must find a whole journal, one of
// the writer's contents, with its balance, and the ledger in step with both. TALLIMER_CRASH_KILLS
// sets the kills (default 300); the 100 MiB journal gets a hundredth of them (at least 2).

#include <QElapsedTimer>
#include <QProcess>
#include <algorithm>
#include <chrono>
#include <functional>
#include <iostream>
#include <random>
#include <thread>

#include "journal/journal_line.h"
#include "operations/change_intent.h"
#include "operations/days_file.h"
#include "operations/ledger_file.h"
#include "operations_test_support.h"

namespace tallimer::test {
namespace {

int Kills() {
    const int kills = qEnvironmentVariableIntValue("TALLIMER_CRASH_KILLS");
    return kills > 0 ? kills : 300;
}

// A journal as years of use leave it: the header, then `lines` lines of two periods a day.
std::string BaseJournal(int lines) {
    const QString projects[] = {"Alpha", "Beta", "Meeting", "Customer visit", "", "Support"};
    std::string journal = kHeader;
    for (int i = 0; i < lines; ++i) {
        const QByteArray line = FormatEntryLine(
            QDate(2001, 1, 2).addDays(i / 4 % 8000), QString::asprintf("%02d", 8 + i % 4 * 2),
            QString::asprintf("%02d", i * 7 % 60), projects[i % std::size(projects)], i % 2 == 1);
        journal.append(line.constData(), size_t(line.size()));
    }
    return journal;
}

// Runs crash_writer for `cycles` cycles to its end (it inherits TALLIMER_HOME): the microseconds
// it took.
long long MicrosecondsOf(const QString& cycles, const QStringList& mode = {}) {
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(QProcess::execute(CRASH_WRITER, QStringList{cycles} + mode), 0)
        << "crash_writer " << cycles.toStdString();
    return timer.nsecsElapsed() / 1000;
}

class CrashSafety : public JournalTest {
  protected:
    // The ledger a start finds: whole lines, each following from the one before, the last at
    // the balance. None until the writer's first start has opened it.
    void expectLedgerInStep(int32_t balance) {
        const LedgerRead read = ReadLedger(store.ledgerPath);
        std::string text;
        readHandheld(store.ledgerPath, &text);
        if (read.error == ENOENT) {
            return;
        }
        ASSERT_FALSE(read.text.lines.empty()) << text;
        EXPECT_EQ(read.text.unreadLines, 0) << text;
        EXPECT_TRUE(text.ends_with('\n')) << text;
        const std::vector<LedgerLine>& lines = read.text.lines;
        for (size_t i = 1; i < lines.size(); ++i) {
            ASSERT_EQ(lines[i].balance, lines[i - 1].balance + lines[i].change) << text;
            ASSERT_NE(lines[i].reason, LedgerReason::Correction) << text;
        }
        EXPECT_EQ(lines.back().balance, balance) << text;
    }

    // Kills the writer `kills` times on `base`; after each kill a start (LoadSettings) must
    // leave the journal at A, B or C and settings file and registry at its balance. Kills land
    // in the start-up or within the first `span` cycles; with `expectHits`, some must have met
    // a change in flight.
    void killRepeatedly(const std::string& base, int kills, int span, bool expectHits) {
        constexpr int32_t kBalance = 125;
        store.settings.flexBalance = kBalance;
        ASSERT_TRUE(SaveSettings(store));
        const std::string contents[] = {
            base,  // A, then its Start (B) and Stop (C)
            base + "2030/06/15 08:00\tCrash\r\n",
            base + "2030/06/15 08:00\tCrash\r\n2030/06/15\t12:00\tCrash\r\n"};
        // 4 hours against a target of 8 take 240 minutes off the balance.
        const int32_t balances[] = {kBalance, kBalance, kBalance - 240};
        writeHandheld(kJournal, base);

        // Runs of no cycle and of one: the start-up time and the time of a cycle. The start-up
        // is the shorter of two runs, as other work on the machine only ever adds time.
        const long long startUp = std::min(MicrosecondsOf("0"), MicrosecondsOf("0"));
        const long long cycle = std::max(1LL, MicrosecondsOf("1") - startUp);
        ASSERT_EQ(journal(), base);
        std::uniform_int_distribution<long long> delay(0, startUp + span * cycle);

        std::mt19937 rng(20300615);
        int found[3] = {};
        int intents = 0;
        for (int kill = 0; kill < kills; ++kill) {
            SCOPED_TRACE("kill " + std::to_string(kill));
            QProcess writer;  // cycles until killed
            writer.start(CRASH_WRITER, {});
            ASSERT_TRUE(writer.waitForStarted());
            std::this_thread::sleep_for(std::chrono::microseconds(delay(rng)));
            writer.kill();
            ASSERT_TRUE(writer.waitForFinished());
            ASSERT_EQ(writer.exitStatus(), QProcess::CrashExit) << "crash_writer stopped by itself";

            intents += IntentExists() ? 1 : 0;
            const int32_t balance = restartedBalance();
            const std::string now = journal();
            const auto* at = std::find(std::begin(contents), std::end(contents), now);
            ASSERT_NE(at, std::end(contents)) << "journal is neither A, B nor C: " << now.size()
                                              << " bytes, A has " << base.size();
            ++found[at - contents];
            ASSERT_EQ(balance, balances[at - contents]);
            expectLedgerInStep(balance);
            ASSERT_FALSE(HasFailure());
        }

        // Whatever the kills left, the next run works and ends in A at the first balance.
        ASSERT_EQ(QProcess::execute(CRASH_WRITER, {"1"}), 0);
        ASSERT_EQ(journal(), base);
        EXPECT_EQ(Loaded().settings.flexBalance, kBalance);

        std::cout << base.size() << "-byte journal, " << kills << " kills: A " << found[0] << ", B "
                  << found[1] << ", C " << found[2] << ", intents left " << intents << "\n";
        if (expectHits) {  // kills that never hit a change in flight would prove little
            EXPECT_GT(intents, 0);
            EXPECT_GT(found[1] + found[2], 0);
        }
    }
};

// Kills crash_writer in `mode` (`kills` times, each within its start-up and two cycles) and
// runs `check` after each kill, until a check fails; the intents the kills left.
int KillMode(const QString& mode, int kills, unsigned seed, const std::function<void()>& check) {
    const QStringList args = {mode};
    const long long startUp = std::min(MicrosecondsOf("0", args), MicrosecondsOf("0", args));
    const long long cycle = std::max(1LL, MicrosecondsOf("1", args) - startUp);
    std::uniform_int_distribution<long long> delay(0, startUp + 2 * cycle);
    std::mt19937 rng(seed);
    int intents = 0;
    for (int kill = 0; kill < kills && !::testing::Test::HasFailure(); ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        QProcess writer;
        writer.start(CRASH_WRITER, {"-1", mode});
        EXPECT_TRUE(writer.waitForStarted());
        std::this_thread::sleep_for(std::chrono::microseconds(delay(rng)));
        writer.kill();
        EXPECT_TRUE(writer.waitForFinished());
        EXPECT_EQ(writer.exitStatus(), QProcess::CrashExit) << "crash_writer stopped by itself";
        intents += IntentExists() ? 1 : 0;
        check();
    }
    return intents;
}

// The same for a change of days off: the days file and the balance move together.
TEST_F(CrashSafety, DaysOff) {
    constexpr int32_t kBalance = 125;
    store.settings.flexBalance = kBalance;
    ASSERT_TRUE(SaveSettings(store));
    writeHandheld(kJournal, BaseJournal(19999));
    // A flexitime day off without entries owes its target of 480.
    const auto owed = [](const std::string& text) {
        return text.find("2030/06/14\tflexday") != std::string::npos ? 480 : 0;
    };
    int marked = 0;
    const int intents = KillMode("days", Kills() / 3, 20300614, [&] {
        // The balance holds the booked copy; the days file may be a step ahead of it, which
        // the window's start books.
        const int32_t booked = restartedBalance();
        EXPECT_EQ(booked, kBalance - owed(ReadBookedDays(store.daysFilePath).text));
        expectLedgerInStep(booked);
        restart();
        tracker().start();
        tracker().bookDaysFile();
        const std::string text = ReadDaysFile(store.daysFilePath).text;
        EXPECT_EQ(balance(), kBalance - owed(text)) << text;
        marked += owed(text) != 0 ? 1 : 0;
    });
    std::cout << Kills() / 3 << " kills of a days change: marked " << marked << ", intents left "
              << intents << "\n";
    EXPECT_GT(intents + marked, 0);
}

// The same for Edit day: the crash day's Stop moves between 12:00 and 13:00, and an undo takes
// one move back; journal and balance must always be one of the two days.
TEST_F(CrashSafety, EditDay) {
    constexpr int32_t kBalance = 125;
    store.settings.flexBalance = kBalance;
    ASSERT_TRUE(SaveSettings(store));
    const std::string base = BaseJournal(19999) + "2030/06/15 08:00\tCrash\r\n";
    const std::string contents[] = {base + "2030/06/15\t12:00\tCrash\r\n",
                                    base + "2030/06/15\t13:00\tCrash\r\n"};
    // An hour more presence, less the break of 30 that 5 hours owe.
    const int32_t balances[] = {kBalance, kBalance + 60 - 30};
    writeHandheld(kJournal, contents[0]);
    int found[2] = {};
    const int intents = KillMode("edit", Kills() / 3, 20300616, [&] {
        const int32_t balance = restartedBalance();
        const std::string now = journal();
        const auto* at = std::find(std::begin(contents), std::end(contents), now);
        ASSERT_NE(at, std::end(contents)) << "journal is neither day: " << now.size() << " bytes";
        ++found[at - contents];
        EXPECT_EQ(balance, balances[at - contents]);
        expectLedgerInStep(balance);
    });
    std::cout << Kills() / 3 << " kills of an edit: Stop at 12:00 " << found[0] << ", at 13:00 "
              << found[1] << ", intents left " << intents << "\n";
    EXPECT_TRUE(intents > 0 || (found[0] > 0 && found[1] > 0));
}

TEST_F(CrashSafety, RealisticJournal) {
    killRepeatedly(BaseJournal(19999), Kills(), 2, true);
}

TEST_F(CrashSafety, LargeJournal) {
    const std::string block = BaseJournal(100000).substr(kHeader.size());
    std::string base = kHeader;
    while (base.size() < 100u << 20) {
        base += block;
    }
    killRepeatedly(base, std::max(2, Kills() / 100), 1, false);
}

}  // namespace
}  // namespace tallimer::test
