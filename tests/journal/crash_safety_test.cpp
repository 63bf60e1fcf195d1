// Kills a process that saves and removes entries at random moments and checks that the journal
// and the settings file are never left lost, partial or mixed, and that the next run works.

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <iostream>
#include <optional>
#include <random>
#include <string>
#include <thread>

#include "journal/journal_line.h"
#include "journal_test_support.h"
#include "platform/file.h"
#include "settings/settings_store.h"

extern char** environ;

namespace tallimer::test {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kJournalLines = 20000;
constexpr int kKills = 200;
constexpr int32_t kBalance = 125;
// The one line that crash_writer saves and removes again.
const std::string kCrashLine = "2030/06/15 08:00\tCrash\r\n";

// A journal as years of use leave it: the header, then two or three periods a day.
std::string BaseJournal() {
    const QString projects[] = {"Alpha", "Beta", "Meeting", "Customer visit", "", "Support"};
    std::mt19937 rng(15062030);
    std::string journal = kHeader;
    int lines = 1;
    for (QDate date(2001, 1, 2); lines < kJournalLines; date = date.addDays(1)) {
        int minute = 7 * 60 + int(rng() % 120);
        const int periods = 2 + int(rng() % 2);
        for (int p = 0; p < 2 * periods && lines < kJournalLines; ++p, ++lines) {
            const QString hour = QString::asprintf("%02d", minute / 60);
            const QString min = QString::asprintf("%02d", minute % 60);
            const QByteArray line =
                FormatEntryLine(date, hour, min, projects[rng() % std::size(projects)], p % 2 == 1);
            journal.append(line.constData(), size_t(line.size()));
            minute += 30 + int(rng() % 150);
        }
    }
    return journal;
}

// Starts crash_writer with `argument` (empty: cycle until killed); it inherits TALLIMER_HOME.
pid_t StartWriter(const std::string& argument) {
    std::string program = CRASH_WRITER;
    std::string arg = argument;
    char* argv[] = {program.data(), argument.empty() ? nullptr : arg.data(), nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0) {
        return -1;
    }
    return pid;
}

// The wait status of the ended child, nullopt when it cannot be waited for.
std::optional<int> WaitStatus(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            return std::nullopt;
        }
    }
    return status;
}

// Exit code of a run to its end, -1 when it did not exit normally.
int RunWriter(const std::string& argument) {
    const pid_t pid = StartWriter(argument);
    if (pid < 0) {
        return -1;
    }
    const std::optional<int> status = WaitStatus(pid);
    return status && WIFEXITED(*status) ? WEXITSTATUS(*status) : -1;
}

long long MicrosecondsOf(const std::string& argument) {
    const Clock::time_point start = Clock::now();
    EXPECT_EQ(RunWriter(argument), 0) << "crash_writer " << argument;
    return std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start).count();
}

class CrashSafety : public JournalTest {
  protected:
    void SetUp() override {
        JournalTest::SetUp();
        store.settings.flexBalance = kBalance;
        ASSERT_TRUE(SaveSettings(store));
        base = BaseJournal();
        writeHandheld(kJournal, base);
        withEntry = base + kCrashLine;
    }

    // Journal bytes in a short form for failure messages: never the whole file.
    std::string describeJournal() const {
        std::string bytes;
        if (!readHandheld(kJournal, &bytes)) {
            return "no journal";
        }
        const size_t common =
            std::mismatch(bytes.begin(), bytes.end(), base.begin(), base.end()).first -
            bytes.begin();
        return std::to_string(bytes.size()) + " bytes (A has " + std::to_string(base.size()) +
               "), first difference from A at " + std::to_string(common) + ": \"" +
               bytes.substr(common, 40) + "\"";
    }

    std::string settingsFile() const {
        std::string bytes;
        return readHandheld(store.settingsFilePath, &bytes) ? bytes : "no settings file";
    }

    std::string base;       // A
    std::string withEntry;  // B: A and the Start line
};

TEST_F(CrashSafety, KilledWriterLeavesJournalWholeAndNextRunWorks) {
    const QByteArray settingsLine = SettingsFileLine(kBalance);
    const std::string expectedSettings(settingsLine.constData(), size_t(settingsLine.size()));

    // Runs of no cycle and of three cycles: the start-up time and the time of one cycle. The
    // shorter of two runs each, as other work on the machine only ever adds time.
    const long long startUp = std::min(MicrosecondsOf("0"), MicrosecondsOf("0"));
    const long long three = std::min(MicrosecondsOf("3"), MicrosecondsOf("3"));
    ASSERT_EQ(journal(), base);
    const long long cycle = std::max(1LL, (three - startUp) / 3);
    // Kills land in the start-up, in any step of the first two cycles, and between them.
    const long long maxDelay = startUp + 2 * cycle;
    std::cout << "start-up " << startUp << " us, cycle " << cycle << " us, kills within "
              << maxDelay << " us\n";

    std::mt19937 rng(20300615);
    std::uniform_int_distribution<long long> delay(0, maxDelay);
    int inA = 0;
    int inB = 0;
    int tmpLeft = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        const pid_t pid = StartWriter({});
        ASSERT_GT(pid, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(delay(rng)));
        ASSERT_EQ(::kill(pid, SIGKILL), 0);
        const std::optional<int> status = WaitStatus(pid);
        ASSERT_TRUE(status.has_value());
        ASSERT_TRUE(WIFSIGNALED(*status)) << "crash_writer stopped by itself, status " << *status;

        const std::string now = journal();
        if (now == base) {
            ++inA;
        } else if (now == withEntry) {
            ++inB;
        } else {
            FAIL() << "journal is neither A nor B: " << describeJournal();
        }
        ASSERT_EQ(settingsFile(), expectedSettings);
        SettingsStore loaded;
        LoadSettings(loaded);
        ASSERT_EQ(loaded.settings.breakPerDay, 30);
        ASSERT_EQ(loaded.settings.targetPerDay, 480);
        ASSERT_EQ(loaded.settings.flexBalance, kBalance);
        tmpLeft += platform::FileExists(u"tmp") ? 1 : 0;

        // Whatever the kill left (B, a stale "tmp"), the next run works and ends in A.
        ASSERT_EQ(RunWriter("1"), 0);
        ASSERT_TRUE(journal() == base) << describeJournal();
        ASSERT_EQ(settingsFile(), expectedSettings);
    }
    std::cout << "kills " << kKills << ", journal A " << inA << ", journal B " << inB
              << ", tmp left " << tmpLeft << "\n";
    RecordProperty("kills", kKills);
    RecordProperty("journalA", inA);
    RecordProperty("journalB", inB);
    // Kills that never hit the middle state would prove little.
    EXPECT_GT(inB, 0);
}

}  // namespace
}  // namespace tallimer::test
