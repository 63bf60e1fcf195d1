// tallimer-report run in-process over a generated ten-year journal, one benchmark per view and
// format; bench/README.md tells how to run it and what it gave.
//   bench_report [benchmark flags]         the benchmarks
//   bench_report write-device DIR [LINES]  writes a device folder (TALLIMER_HOME) with the same
//                                          journal, to time the real executable on it
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "cli/report_command.h"
#include "journal_generator.h"
#include "operations/settings_store.h"
#include "platform/device_folder.h"

namespace {

using namespace tallimer;

constexpr int kLines = 200'000;
// A month in the middle of the journal, on a day with entries.
const QStringList kWhen = {"--date", "2021/03/15", "--now", "2021/03/15 13:00"};

// Writes the settings (break 30, target 480, unit 5) and a journal of `lines` generated lines
// into the device folder that TALLIMER_HOME names; 0 lines leave only the header.
bool WriteDevice(int lines) {
    SettingsStore store;
    store.settings.breakPerDay = 30;
    store.settings.targetPerDay = 480;
    store.settings.minuteUnit = 5;
    BuildFilePaths(store);
    if (!SaveSettings(store)) {
        return false;
    }
    const QString path = platform::HostPath(store.journalPath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    const std::string bytes = bench::GenerateWorkingYears(lines);
    return file.open(QIODevice::WriteOnly) &&
           file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size());
}

// A device folder per journal size, made once and kept for the whole run.
class Devices {
  public:
    void Use(int lines) {
        auto found = homes_.find(lines);
        if (found == homes_.end()) {
            found = homes_.emplace(lines, std::make_unique<QTemporaryDir>()).first;
            qputenv("TALLIMER_HOME", found->second->path().toLocal8Bit());
            if (!WriteDevice(lines)) {
                std::abort();
            }
        }
        qputenv("TALLIMER_HOME", found->second->path().toLocal8Bit());
    }

  private:
    std::map<int, std::unique_ptr<QTemporaryDir>> homes_;
};

Devices& TheDevices() {
    static Devices devices;
    return devices;
}

// Takes what the command prints and forgets it, as a pipe to a fast reader would.
class NullDevice : public QIODevice {
  public:
    NullDevice() { open(QIODevice::WriteOnly); }

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 n) override { return n; }
};

int Run(const QStringList& arguments) {
    NullDevice device;
    QString errors;
    QTextStream out(&device);
    QTextStream err(&errors);
    out.setEncoding(QStringConverter::Utf8);
    const int status = RunReportCommand(arguments, out, err);
    out.flush();
    return status;
}

// CPU time of this thread: figures that hold when other work shares the machine.
double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// The same run over a journal of no lines, best of a few: what the command costs whatever
// the journal holds.
double EmptyJournalSeconds(const QStringList& arguments) {
    TheDevices().Use(0);
    double best = 1e30;
    for (int i = 0; i < 20; ++i) {
        const double start = ThreadSeconds();
        Run(arguments);
        best = std::min(best, ThreadSeconds() - start);
    }
    return best;
}

// One run of the command per iteration over the journal of `lines` lines. per_line is the
// time a journal line, beyond_empty_per_line the time a line beyond the run over an empty
// journal; records_per_s counts `recordsPerLine` records a line.
void RunCommand(benchmark::State& state, const QStringList& arguments, int lines,
                double recordsPerLine) {
    const double empty = lines > 0 ? EmptyJournalSeconds(arguments) : 0;
    TheDevices().Use(lines);
    const double start = ThreadSeconds();
    for (auto _ : state) {
        if (Run(arguments) != 0) {
            state.SkipWithError("tallimer-report failed");
            return;
        }
    }
    const double perRun = (ThreadSeconds() - start) /
                          double(std::max<benchmark::IterationCount>(state.iterations(), 1));
    if (lines == 0) {
        return;
    }
    // Seconds: printed with their SI prefix, so "18n" is 18 ns.
    state.counters["per_line"] = perRun / lines;
    state.counters["beyond_empty_per_line"] = (perRun - empty) / lines;
    state.counters["empty_run"] = empty;
    if (recordsPerLine > 0) {
        state.counters["records_per_s"] = recordsPerLine * lines / perRun;
    }
}

void Register(const char* view, const char* format, double recordsPerLine) {
    QStringList arguments = kWhen;
    arguments << "--view" << view << "--format" << format;
    for (const int lines : {kLines, 0}) {
        const std::string name = std::string(view) + "/" + format + (lines == 0 ? "/empty" : "");
        benchmark::RegisterBenchmark(name.c_str(), [arguments, lines,
                                                    recordsPerLine](benchmark::State& state) {
            RunCommand(state, arguments, lines, recordsPerLine);
        })->Unit(benchmark::kMillisecond);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::string_view(argv[1]) == "write-device") {
        qputenv("TALLIMER_HOME", argv[2]);
        return WriteDevice(argc > 3 ? std::atoi(argv[3]) : kLines) ? 0 : 1;
    }
    QCoreApplication app(argc, argv);
    Register("report", "text", 0);
    Register("day", "text", 0);
    Register("week", "text", 0);
    // Every line is a row of the list; two lines make a period.
    for (const char* format : {"text", "csv", "json"}) {
        Register("list", format, 1.0);
    }
    for (const char* format : {"text", "csv", "json"}) {
        Register("periods", format, 0.5);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
