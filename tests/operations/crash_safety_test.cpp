// Kills a process that saves and removes entries at random moments and checks that the journal
// and the settings file are never left lost, partial or mixed, and that the next run works.

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <iostream>
#include <random>
#include <thread>

#include "journal/journal_line.h"
#include "operations_test_support.h"
#include "platform/file.h"

extern char** environ;

namespace tallimer::test {
namespace {

constexpr int kKills = 200;

// A journal as years of use leave it: the header, then 20000 lines of two periods a day.
std::string BaseJournal() {
    const QString projects[] = {"Alpha", "Beta", "Meeting", "Customer visit", "", "Support"};
    std::string journal = kHeader;
    for (int i = 0; i < 19999; ++i) {
        const QByteArray line = FormatEntryLine(
            QDate(2001, 1, 2).addDays(i / 4), QString::asprintf("%02d", 8 + i % 4 * 2),
            QString::asprintf("%02d", i * 7 % 60), projects[i % std::size(projects)], i % 2 == 1);
        journal.append(line.constData(), size_t(line.size()));
    }
    return journal;
}

// Starts crash_writer with `argument` (empty: cycle until killed); it inherits TALLIMER_HOME.
pid_t StartWriter(std::string argument) {
    std::string program = CRASH_WRITER;
    char* argv[] = {program.data(), argument.empty() ? nullptr : argument.data(), nullptr};
    pid_t pid = -1;
    return posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ) == 0 ? pid : -1;
}

// The wait status of the ended child; -1, neither exited nor signalled, when there is none.
int WaitStatus(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            return -1;
        }
    }
    return status;
}

// Exit code of a run to its end, -1 when it did not exit normally.
int RunWriter(const std::string& argument) {
    const pid_t pid = StartWriter(argument);
    const int status = pid < 0 ? -1 : WaitStatus(pid);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

long long MicrosecondsOf(const std::string& argument) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(RunWriter(argument), 0) << "crash_writer " << argument;
    const auto took = std::chrono::steady_clock::now() - start;
    return std::chrono::duration_cast<std::chrono::microseconds>(took).count();
}

using CrashSafety = JournalTest;

TEST_F(CrashSafety, KilledWriterLeavesJournalWholeAndNextRunWorks) {
    store.settings.flexBalance = 125;
    ASSERT_TRUE(SaveSettings(store));
    const std::string base = BaseJournal();                              // A
    const std::string withEntry = base + "2030/06/15 08:00\tCrash\r\n";  // B: A and its Start
    writeHandheld(kJournal, base);
    const QByteArray settingsLine = SettingsFileLine(125);
    const std::string expectedSettings(settingsLine.constData(), size_t(settingsLine.size()));
    const auto settingsFile = [this] {
        std::string bytes;
        return readHandheld(store.settingsFilePath, &bytes) ? bytes : "no settings file";
    };

    // Runs of no cycle and of three cycles: the start-up time and the time of one cycle. The
    // shorter of two runs each, as other work on the machine only ever adds time.
    const long long startUp = std::min(MicrosecondsOf("0"), MicrosecondsOf("0"));
    const long long three = std::min(MicrosecondsOf("3"), MicrosecondsOf("3"));
    ASSERT_EQ(journal(), base);
    const long long cycle = std::max(1LL, (three - startUp) / 3);
    // Kills land in the start-up, in any step of the first two cycles, and between them.
    std::uniform_int_distribution<long long> delay(0, startUp + 2 * cycle);
    std::cout << "start-up " << startUp << " us, cycle " << cycle << " us\n";

    std::mt19937 rng(20300615);
    int inB = 0;
    int tmpLeft = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        const pid_t pid = StartWriter({});
        ASSERT_GT(pid, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(delay(rng)));
        ASSERT_EQ(::kill(pid, SIGKILL), 0);
        const int status = WaitStatus(pid);
        ASSERT_TRUE(WIFSIGNALED(status)) << "crash_writer stopped by itself, status " << status;

        const std::string now = journal();
        ASSERT_TRUE(now == base || now == withEntry)
            << "journal is neither A nor B: " << now.size() << " bytes, A has " << base.size();
        inB += now == withEntry ? 1 : 0;
        ASSERT_EQ(settingsFile(), expectedSettings);
        SettingsStore loaded;
        LoadSettings(loaded);
        ASSERT_EQ(loaded.settings, store.settings);  // the registry record is whole too
        tmpLeft += temporaryLeft() ? 1 : 0;

        // Whatever the kill left (B, a stale temporary), the next run works and ends in A.
        ASSERT_EQ(RunWriter("1"), 0);
        ASSERT_TRUE(journal() == base) << "the next run did not end in A";
        ASSERT_EQ(settingsFile(), expectedSettings);
    }
    std::cout << "kills " << kKills << ", journal B " << inB << ", temporary left " << tmpLeft
              << "\n";
    // Kills that never hit the middle state would prove little.
    EXPECT_GT(inB, 0);
}

}  // namespace
}  // namespace tallimer::test
