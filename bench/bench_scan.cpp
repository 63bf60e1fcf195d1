// The scan over generated journals: time per line and heap allocations per scan.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "accounting/entry_list.h"
#include "accounting/month_report.h"
#include "journal_generator.h"
#include "model/day_state.h"
#include "model/month_state.h"
#include "operations/rescan_journal.h"
#include "operations/settings_store.h"
#include "platform/device_folder.h"
#include "platform/file.h"

namespace {

std::atomic<long long> g_allocations{0};

}  // namespace

// Every heap allocation, Qt's own containers included, goes through these: glibc lets a
// program interpose them.
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* p, std::size_t size);

void* malloc(std::size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(count, size);
}
void* realloc(void* p, std::size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(p, size);
}
}

namespace {

using namespace tallimer;

// A device folder holding a generated journal, for the length of one benchmark.
class Device {
  public:
    explicit Device(int lines, bool oneMonth = false) {
        qputenv("TALLIMER_HOME", home_.path().toLocal8Bit());
        BuildFilePaths(store);
        store.settings.breakPerDay = 30;
        store.settings.targetPerDay = 480;
        const QString path = platform::HostPath(store.journalPath);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        const std::string bytes = bench::GenerateJournal(lines, oneMonth);
        file.write(bytes.data(), qint64(bytes.size()));
    }
    ~Device() { qunsetenv("TALLIMER_HOME"); }

    SettingsStore store;

  private:
    QTemporaryDir home_;
};

const QDate kSelected(2001, 6, 12);

// CPU time of this thread: the ratios stay put when other work shares the machine.
double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// The floor for any scan: opening the journal and reading its bytes, best of a few reads.
double RawReadSeconds(const SettingsStore& store) {
    double best = 1e30;
    for (int i = 0; i < 20; ++i) {
        const double start = ThreadSeconds();
        platform::File file =
            platform::File::OpenExisting(store.journalPath, platform::File::Access::Read);
        std::string bytes;
        file.readToEnd(bytes);
        benchmark::DoNotOptimize(bytes.data());
        best = std::min(best, ThreadSeconds() - start);
    }
    return best;
}

// Times the benchmark's own loop, to set it against the raw read of the same journal.
class LoopClock {
  public:
    double SecondsPerIteration(const benchmark::State& state) const {
        return (ThreadSeconds() - start_) /
               double(std::max<benchmark::IterationCount>(state.iterations(), 1));
    }

  private:
    double start_ = ThreadSeconds();
};

void SetRawRatio(benchmark::State& state, const LoopClock& clock, double rawSeconds) {
    state.counters["x_raw_read"] = clock.SecondsPerIteration(state) / rawSeconds;
}

void SetPerLine(benchmark::State& state, long long allocations) {
    // Seconds per line: printed with its SI prefix, so "85n" is 85 ns.
    state.counters["per_line"] =
        benchmark::Counter(double(state.range(0)), benchmark::Counter::kIsIterationInvariantRate |
                                                       benchmark::Counter::kInvert);
    state.counters["allocs_per_scan"] = double(allocations);
}

// Runs `scanOnce` (one scan and whatever the view does with it) as the benchmark's loop and
// reports it per line, as a multiple of the raw read, and by its allocations.
template <typename ScanOnce>
void MeasureScan(benchmark::State& state, const Device& device, ScanOnce scanOnce) {
    long long allocations = 0;
    const double raw = RawReadSeconds(device.store);
    const LoopClock clock;
    for (auto _ : state) {
        const long long before = g_allocations.load();
        scanOnce();
        allocations = g_allocations.load() - before;
    }
    SetRawRatio(state, clock, raw);
    SetPerLine(state, allocations);
}

// The scan as the day summary view runs it: file read, day state, project list.
void BM_ScanDayView(benchmark::State& state) {
    Device device(int(state.range(0)));
    DayState day;
    MonthState month;
    MeasureScan(state, device, [&] {
        ScanResult result = RescanJournal(device.store, kSelected, day, month);
        benchmark::DoNotOptimize(result);
    });
}

// The scan with the monthly report built; with the second argument 1 every line is a line of
// the selected month (a day without entries of its own).
void BM_ScanReport(benchmark::State& state) {
    const bool oneMonth = state.range(1) != 0;
    Device device(int(state.range(0)), oneMonth);
    const QDate selected = oneMonth ? QDate(2001, 6, 29) : kSelected;
    DayState day;
    MonthState month;
    MeasureScan(state, device, [&] {
        MonthReport report(device.store.settings, month, selected);
        ScanResult result = RescanJournal(device.store, selected, day, month, &report);
        benchmark::DoNotOptimize(result);
        benchmark::DoNotOptimize(report.tree().size());
    });
}

// The scan with the entry list's rows made and put in display order, by one list that is
// scanned again and again as the list view's is.
void BM_ScanListRows(benchmark::State& state) {
    Device device(int(state.range(0)));
    DayState day;
    MonthState month;
    EntryList list;
    MeasureScan(state, device, [&] {
        ScanResult result = RescanJournal(device.store, kSelected, day, month, &list);
        std::vector<size_t> order = list.DisplayOrder();
        benchmark::DoNotOptimize(result);
        benchmark::DoNotOptimize(order.data());
    });
}

BENCHMARK(BM_ScanDayView)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanReport)
    ->ArgsProduct({{10'000, 100'000, 1'000'000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanListRows)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
