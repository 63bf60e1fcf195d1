#include "operations/rescan_journal.h"

#include <cerrno>
#include <new>
#include <string>

#include "accounting/balance.h"
#include "base/saturating.h"
#include "journal/journal_line.h"
#include "journal/line_reader.h"
#include "journal/project_collector.h"
#include "platform/code_page.h"
#include "platform/diagnostics.h"
#include "platform/file.h"
#include "resources/string_table.h"

namespace tallimer {

namespace {

constexpr char kOperation[] = "rescan";

// The scan over the lines a reader hands on. The day and the month are rebuilt in place; when
// memory runs out on the way they are put back as they were and the scan fails as for a
// journal that cannot be opened.
ScanResult ScanLines(LineReader& lines, const Settings& settings, QDate selectedDate, DayState& day,
                     MonthState& month, ScanSink* sink) {
    const DayState dayBefore = day;
    const MonthState monthBefore = month;
    try {
        day = DayState{};
        month = MonthState{};
        day.selectedDateText = SelectedDateText(selectedDate);
        month.selectedMonthText =
            QString::asprintf("%d/%02d", selectedDate.year(), selectedDate.month());
        const QByteArray dateKeyBytes = DateKey(day.selectedDateText);
        const QByteArray monthKeyBytes = MonthKey(dateKeyBytes);
        const std::string_view dateKey(dateKeyBytes.constData(), dateKeyBytes.size());
        const std::string_view monthKey(monthKeyBytes.constData(), monthKeyBytes.size());
        month.newMonthFlag = 1;
        if (sink != nullptr) {
            sink->BeginReport(day);
        }

        ProjectCollector projects;
        std::string lastProject;  // bytes of the last line read
        int32_t lineNumber = -1;
        std::string_view bytesBeforeLf;
        while (lines.Next(bytesBeforeLf)) {
            const std::string_view line = CutLine(bytesBeforeLf);
            lineNumber = SatAdd(lineNumber, 1);
            const std::string_view project = ProjectBytes(line);
            lastProject.assign(project);

            // Byte by byte, unsigned.
            if (month.newMonthFlag != 0 && lineNumber != 0 && line.compare(monthKey) >= 0) {
                month.newMonthFlag = 0;
            }
            // The date key begins with the month key: one comparison settles most lines.
            const bool monthLine = StartsWith(line, monthKey);
            // The day's lines pair by position; the kind marker plays no part here.
            if (monthLine && StartsWith(line, dateKey)) {
                const int32_t entryTime = EntryTime(line);
                day.entryCount = SatAdd(day.entryCount, 1);
                if (day.periodOpen == 0) {
                    day.periodOpen = 1;
                    day.lastStart = entryTime;
                } else {
                    day.periodOpen = 0;
                    const int32_t cutOff = settings.cutOffTime;
                    const int32_t stop = (cutOff != 0 && entryTime > cutOff) ? cutOff : entryTime;
                    AddClosedPeriod(day, settings, SatSub(stop, day.lastStart));
                }
                if (sink != nullptr) {
                    sink->DayLine(day.entryCount, entryTime, project);
                }
            }
            if (sink != nullptr) {
                if (monthLine) {
                    sink->MonthLine(line, EntryTime(line), project);
                }
                sink->ListLine(line, lineNumber);
            }
            // Entry time 0 keeps the header's "Comment" out of the list. The time is read only
            // for a spelling not met yet: most lines repeat one.
            if (!project.empty() && !projects.Knows(project) && EntryTime(line) != 0) {
                projects.Add(project);
            }
        }

        ScanResult result;
        result.opened = true;
        result.projects = projects.Names();
        result.projectEditText = platform::FromCodePage(lastProject);
        result.removeEnabled = day.entryCount != 0;
        result.statusText =
            LoadString(day.periodOpen == 1 ? StringId::StatusStop : StringId::StatusStart);
        if (sink != nullptr) {
            sink->FinishReport(day);
        }
        return result;
    } catch (const std::bad_alloc&) {
        day = dayBefore;
        month = monthBefore;
        return {};
    }
}

}  // namespace

ScanResult ScanJournalBytes(std::string_view journal, const Settings& settings, QDate selectedDate,
                            DayState& day, MonthState& month, ScanSink* sink) {
    LineReader lines(ReadFrom(journal));
    return ScanLines(lines, settings, selectedDate, day, month, sink);
}

ScanResult RescanJournal(const SettingsStore& store, QDate selectedDate, DayState& day,
                         MonthState& month, ScanSink* sink) {
    platform::File journal =
        platform::File::OpenExisting(store.journalPath, platform::File::Access::Read);
    if (!journal.isOpen()) {
        ScanResult result;
        result.openError = errno;
        // No journal yet is the normal state before the first entry.
        if (result.openError != ENOENT) {
            platform::ReportFailure(kOperation, store.journalPath, result.openError);
        }
        return result;
    }
    // A failing read ends the scan as at end of file: what was read stands.
    LineReader lines([&journal, &store](char* buffer, long long maxBytes) {
        const long long got = journal.read(buffer, maxBytes);
        if (got < 0) {
            platform::ReportFailure(kOperation, store.journalPath);
        }
        return got;
    });
    ScanResult result = ScanLines(lines, store.settings, selectedDate, day, month, sink);
    journal.close();
    if (!result.opened) {
        result.openError = ENOMEM;  // the journal is too large for memory
        platform::ReportFailure(kOperation, store.journalPath, result.openError);
    }
    return result;
}

}  // namespace tallimer
