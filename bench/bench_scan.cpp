// The scan over generated journals: time per line and heap allocations per scan.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "accounting/month_state.h"
#include "journal/day_state.h"
#include "journal/rescan_journal.h"
#include "platform/device_folder.h"
#include "settings/settings_store.h"

namespace {

std::atomic<long long> g_allocations{0};

}  // namespace

void* operator new(std::size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

using namespace tallimer;

// Days with a morning and an afternoon period, a handful of projects, as a year of use gives.
std::string GenerateJournal(int lines) {
    static const char* const projects[] = {"Alpha",         "Beta", "Meeting", "Support",
                                           "Gamma release", "",     "Travel",  "Review"};
    std::string journal = "Date       Time \tComment\r\n";
    QDate date(2000, 1, 3);
    const int times[] = {8 * 60, 12 * 60, 12 * 60 + 30, 17 * 60 + 5};
    for (int i = 0; i < lines; ++i) {
        const int k = i % 4;
        if (k == 0 && i > 0) {
            date = date.addDays(1);
        }
        char line[128];
        const int t = times[k];
        std::snprintf(line, sizeof line, "%d/%02d/%02d%c%02d:%02d\t%s\r\n", date.year(),
                      date.month(), date.day(), k % 2 == 1 ? '\t' : ' ', t / 60, t % 60,
                      projects[(i / 2) % 8]);
        journal += line;
    }
    return journal;
}

void BM_ScanDayView(benchmark::State& state) {
    const int lines = int(state.range(0));
    QTemporaryDir home;
    qputenv("TALLIMER_HOME", home.path().toLocal8Bit());
    SettingsStore store;
    BuildFilePaths(store);
    store.settings.breakPerDay = 30;
    store.settings.targetPerDay = 480;
    const QString path = platform::HostPath(store.journalPath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    const std::string bytes = GenerateJournal(lines);
    file.write(bytes.data(), qint64(bytes.size()));
    file.close();

    DayState day;
    MonthState month;
    const QDate selected(2001, 6, 12);
    long long allocations = 0;
    for (auto _ : state) {
        const long long before = g_allocations.load();
        ScanResult result = RescanJournal(store, selected, day, month);
        allocations = g_allocations.load() - before;
        benchmark::DoNotOptimize(result);
    }
    // Seconds per line: printed with its SI prefix, so "85n" is 85 ns.
    state.counters["per_line"] = benchmark::Counter(
        double(lines), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["allocs_per_scan"] = double(allocations);
    qunsetenv("TALLIMER_HOME");
}
BENCHMARK(BM_ScanDayView)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
