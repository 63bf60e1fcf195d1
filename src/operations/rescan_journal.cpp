#include "operations/rescan_journal.h"

#include <cerrno>
#include <new>
#include <string>

#include "accounting/day_lines.h"
#include "accounting/day_terms.h"
#include "base/saturating.h"
#include "journal/journal_line.h"
#include "journal/line_reader.h"
#include "platform/diagnostics.h"
#include "platform/line_text.h"
#include "resources/string_table.h"

namespace tallimer {

namespace {

constexpr char kOperation[] = "rescan";

}  // namespace

void JournalScan::Begin() {
    begun_ = true;
    day_ = DayState{};
    month_ = MonthState{};
    day_.selectedDateText = SelectedDateText(date_);
    if (days_ != nullptr) {
        ApplyTerms(day_, TermsOf(*days_, settings_, date_), settings_);
    }
    month_.selectedMonthText = QString::asprintf("%d/%02d", date_.year(), date_.month());
    dateKey_ = DateKey(day_.selectedDateText);
    monthKey_ = MonthKey(dateKey_);
    month_.newMonthFlag = 1;
    for (ScanSink* sink : sinks_) {
        sink->BeginReport(day_);
        if (sink->TakesEveryLine()) {
            lineSinks_.push_back(sink);
        }
    }
}

void JournalScan::Line(std::string_view line, long long offset) {
    if (!begun_) {
        Begin();
    }
    const std::string_view dateKey(dateKey_.constData(), size_t(dateKey_.size()));
    const std::string_view monthKey(monthKey_.constData(), size_t(monthKey_.size()));
    lineNumber_ = SatAdd(lineNumber_, 1);
    const std::string_view project = ProjectBytes(line);
    // Most lines repeat the project of the line before: it is neither copied nor looked up.
    if (project != std::string_view(lastProject_)) {
        lastProject_.assign(project);
        lastProjectListed_ = false;
    }

    if (month_.newMonthFlag != 0 && lineNumber_ != 0 && SortsNotBefore(line, monthKey)) {
        month_.newMonthFlag = 0;
    }
    // The date key begins with the month key: one comparison settles most lines, and their
    // time is never read.
    const bool monthLine = StartsWith(line, monthKey);
    const bool dayLine = monthLine && StartsWith(line, dateKey);
    const int32_t entryTime = monthLine ? EntryTime(line) : 0;
    // The day's lines pair by position; the kind marker plays no part here.
    if (dayLine) {
        TakeDayLine(day_, settings_, entryTime);
    }
    if (monthLine) {
        for (ScanSink* sink : sinks_) {
            if (dayLine) {
                sink->DayLine(day_.entryCount, entryTime, project);
            }
            sink->MonthLine(line, entryTime, project);
        }
    }
    for (ScanSink* sink : lineSinks_) {
        sink->ListLine(line, lineNumber_, offset);
    }
    // Entry time 0 keeps the header's "Comment" out of the list. Most lines repeat a spelling
    // met before, whose time need not be read.
    if (listProjects_ && !lastProjectListed_ && !project.empty()) {
        if (read_.projects.Knows(project)) {
            lastProjectListed_ = true;
        } else if ((monthLine ? entryTime : EntryTime(line)) != 0) {
            read_.projects.Add(project);
            lastProjectListed_ = true;
        }
    }
}

void JournalScan::Finish() {
    if (!begun_) {
        Begin();
    }
    read_.projectEditText = platform::LineText(lastProject_);
    for (ScanSink* sink : sinks_) {
        sink->FinishReport(day_);
    }
}

namespace {

// Runs `read` over a JournalScan; when memory runs out on the way, the day and the month are
// put back as they were and the scan fails with ENOMEM.
template <typename Read>
ScanRead RunScan(const Settings& settings, QDate selectedDate, DayState& day, MonthState& month,
                 std::span<ScanSink* const> sinks, Read read, const ScanExtras& extras = {}) {
    const DayState dayBefore = day;
    const MonthState monthBefore = month;
    ScanRead result;
    try {
        JournalScan scan(settings, selectedDate, day, month, sinks, result, extras.days,
                         extras.listProjects);
        read(scan, result);
        if (result.error == 0) {
            scan.Finish();
        }
    } catch (const std::bad_alloc&) {
        day = dayBefore;
        month = monthBefore;
        result = ScanRead{};
        result.error = ENOMEM;
    }
    return result;
}

// The panel's texts for a scan.
ScanResult PanelResultOf(const ScanRead& read, const DayState& day) {
    ScanResult result;
    result.openError = read.error;
    if (read.error != 0) {
        return result;
    }
    result.opened = true;
    result.projects = read.projects.Names();
    result.projectEditText = read.projectEditText;
    result.removeEnabled = day.entryCount != 0;
    result.statusText =
        LoadString(day.periodOpen == 1 ? StringId::StatusStop : StringId::StatusStart);
    return result;
}

}  // namespace

ScanRead ScanJournal(const Journal& journal, const Settings& settings, QDate selectedDate,
                     DayState& day, MonthState& month, std::span<ScanSink* const> sinks,
                     const ScanExtras& extras) {
    ScanRead result = RunScan(
        settings, selectedDate, day, month, sinks,
        [&](JournalScan& scan, ScanRead& read) {
            const Journal::Read done = journal.readLines(
                kOperation,
                [&](std::string_view line, long long offset) {
                    scan.Line(line, offset);
                    if (extras.lines) {
                        extras.lines(line);
                    }
                },
                extras.keep);
            read.error = done.error;
            read.mark = done.mark;
        },
        extras);
    // No journal yet is the normal state before the first entry.
    if (result.error != 0 && result.error != ENOENT) {
        platform::ReportFailure(kOperation, journal.path(), result.error);
    }
    return result;
}

ScanResult RescanJournal(const SettingsStore& store, QDate selectedDate, DayState& day,
                         MonthState& month, ScanSink* sink) {
    ScanSink* const sinks[] = {sink};
    const ScanRead read = ScanJournal(Journal(store.journalPath), store.settings, selectedDate, day,
                                      month, std::span(sinks, sink != nullptr ? 1 : 0));
    return PanelResultOf(read, day);
}

ScanRead ScanBytes(std::string_view journal, const Settings& settings, QDate selectedDate,
                   DayState& day, MonthState& month, std::span<ScanSink* const> sinks) {
    return RunScan(settings, selectedDate, day, month, sinks,
                   [journal](JournalScan& scan, ScanRead&) {
                       LineReader lines(ReadFrom(journal));
                       std::string_view bytesBeforeLf;
                       while (lines.Next(bytesBeforeLf)) {
                           scan.Line(CutLine(bytesBeforeLf));
                       }
                   });
}

ScanResult ScanJournalBytes(std::string_view journal, const Settings& settings, QDate selectedDate,
                            DayState& day, MonthState& month, ScanSink* sink) {
    ScanSink* const sinks[] = {sink};
    const ScanRead read = ScanBytes(journal, settings, selectedDate, day, month,
                                    std::span(sinks, sink != nullptr ? 1 : 0));
    if (read.error != 0) {
        return {};  // out of memory: as the scan of a journal that cannot be opened
    }
    return PanelResultOf(read, day);
}

}  // namespace tallimer
