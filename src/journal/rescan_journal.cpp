#include "journal/rescan_journal.h"

#include <cstring>
#include <string>

#include "accounting/balance.h"
#include "accounting/minutes.h"
#include "journal/journal_line.h"
#include "journal/project_collector.h"
#include "platform/code_page.h"
#include "platform/file.h"
#include "resources/string_table.h"

namespace tallimer {

ScanResult ScanJournalBytes(std::string_view journal, const Settings& settings, QDate selectedDate,
                            DayState& day, MonthState& month, ScanSink* sink) {
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

    ScanSink* const report = settings.viewKind == ViewReport ? sink : nullptr;
    ScanSink* const list = settings.viewKind == ViewEntryList ? sink : nullptr;
    if (report != nullptr) {
        report->BeginReport(day, month);
    }

    ProjectCollector projects;
    std::string_view lastProject;
    int32_t lineNumber = -1;
    size_t start = 0;
    while (start < journal.size()) {
        const void* lf = std::memchr(journal.data() + start, '\n', journal.size() - start);
        if (lf == nullptr) {
            break;  // a last line without LF is not processed until its LF arrives
        }
        const size_t end = static_cast<const char*>(lf) - journal.data();
        const std::string_view line = CutLine(journal.substr(start, end - start));
        start = end + 1;

        lineNumber = SatAdd(lineNumber, 1);
        const std::string_view project = ProjectBytes(line);
        lastProject = project;
        const int32_t entryTime = EntryTime(line);

        if (lineNumber != 0 && line.compare(monthKey) >= 0) {
            month.newMonthFlag = 0;
        }
        // The day's lines pair by position; the kind marker plays no part here.
        if (StartsWith(line, dateKey)) {
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
            if (report != nullptr) {
                report->DayLine(day.entryCount, entryTime, project);
            }
        }
        if (report != nullptr && StartsWith(line, monthKey)) {
            report->MonthLine(line, entryTime, project);
        }
        if (list != nullptr) {
            list->ListLine(line, lineNumber);
        }
        // Entry time 0 keeps the header's "Comment" out of the list.
        if (!project.empty() && entryTime != 0) {
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
    if (report != nullptr) {
        report->FinishReport(day, month);
    }
    return result;
}

ScanResult RescanJournal(const SettingsStore& store, QDate selectedDate, DayState& day,
                         MonthState& month, ScanSink* sink) {
    platform::File journal =
        platform::File::OpenExisting(store.journalPath, platform::File::Access::Read);
    if (!journal.isOpen()) {
        return {};
    }
    std::string bytes;
    // A failing read ends the scan as at end of file: what was read stands.
    journal.readToEnd(bytes);
    journal.close();
    return ScanJournalBytes(bytes, store.settings, selectedDate, day, month, sink);
}

}  // namespace tallimer
