#include "operations/rescan_journal.h"

#include <bit>
#include <cerrno>
#include <cstring>
#include <string>

#include "accounting/balance.h"
#include "base/saturating.h"
#include "journal/journal_line.h"
#include "journal/project_collector.h"
#include "platform/code_page.h"
#include "platform/diagnostics.h"
#include "platform/file.h"
#include "resources/string_table.h"

namespace tallimer {

namespace {

constexpr char kOperation[] = "rescan";

// The date key and the month key, compared with a line's first bytes. Keys of the usual
// length (YYYY/MM/DD) are compared eight bytes at a time; others byte by byte.
class LineKeys {
  public:
    LineKeys(std::string_view date, std::string_view month)
        : date_(date), month_(month), fast_(date.size() == 10 && month.size() == 7) {
        if (fast_) {
            date8_ = BigEndian8(date.data());
            month7_ = date8_ >> 8;
        }
    }

    // The first bytes of a line, loaded once for the three questions below.
    struct Head {
        std::string_view line;
        uint64_t bytes8 = 0;  // the first eight bytes when the line has them
    };
    Head Load(std::string_view line) const {
        return {line, fast_ && line.size() >= 8 ? BigEndian8(line.data()) : 0};
    }

    bool IsDay(const Head& head) const {
        if (fast_ && head.line.size() >= 10) {
            return head.bytes8 == date8_ && head.line[8] == date_[8] && head.line[9] == date_[9];
        }
        return StartsWith(head.line, date_);
    }
    bool IsMonth(const Head& head) const {
        if (fast_ && head.line.size() >= 8) {
            return (head.bytes8 >> 8) == month7_;
        }
        return StartsWith(head.line, month_);
    }
    // The line compares greater than or equal to the month key, byte by byte, unsigned.
    bool IsMonthOrLater(const Head& head) const {
        if (fast_ && head.line.size() >= 8) {
            const uint64_t first7 = head.bytes8 >> 8;
            return first7 != month7_ ? first7 > month7_ : true;
        }
        return head.line.compare(month_) >= 0;
    }

  private:
    // Big-endian, so that integer order is byte order.
    static uint64_t BigEndian8(const char* bytes) {
        uint64_t value = 0;
        std::memcpy(&value, bytes, sizeof value);
        if constexpr (std::endian::native == std::endian::little) {
            value = __builtin_bswap64(value);
        }
        return value;
    }

    std::string_view date_;
    std::string_view month_;
    bool fast_;
    uint64_t date8_ = 0;
    uint64_t month7_ = 0;
};

}  // namespace

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
    const LineKeys keys(dateKey, monthKey);
    month.newMonthFlag = 1;

    ScanSink* const report = settings.viewKind == ViewReport ? sink : nullptr;
    ScanSink* const list = settings.viewKind == ViewEntryList ? sink : nullptr;
    if (report != nullptr) {
        report->BeginReport(day, month);
    }

    ProjectCollector projects;
    std::string_view lastProject;
    int32_t lineNumber = -1;
    // A NUL ends a line's text; one look over the whole journal spares looking in every line.
    const bool hasNul = std::memchr(journal.data(), '\0', journal.size()) != nullptr;
    size_t start = 0;
    while (start < journal.size()) {
        const void* lf = std::memchr(journal.data() + start, '\n', journal.size() - start);
        if (lf == nullptr) {
            break;  // a last line without LF is not processed until its LF arrives
        }
        const size_t end = static_cast<const char*>(lf) - journal.data();
        std::string_view line = journal.substr(start, end - start);
        if (hasNul) {
            line = CutLine(line);
        } else if (!line.empty()) {
            line.remove_suffix(1);  // the CR, or whatever stands before the LF
        }
        start = end + 1;

        lineNumber = SatAdd(lineNumber, 1);
        const std::string_view project = ProjectBytes(line);
        lastProject = project;
        const int32_t entryTime = EntryTime(line);

        const LineKeys::Head head = keys.Load(line);
        if (lineNumber != 0 && keys.IsMonthOrLater(head)) {
            month.newMonthFlag = 0;
        }
        // The day's lines pair by position; the kind marker plays no part here.
        if (keys.IsDay(head)) {
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
        if (report != nullptr && keys.IsMonth(head)) {
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
        ScanResult result;
        result.openError = errno;
        // No journal yet is the normal state before the first entry.
        if (result.openError != ENOENT) {
            platform::ReportFailure(kOperation, store.journalPath, result.openError);
        }
        return result;
    }
    std::string bytes;
    // A failing read ends the scan as at end of file: what was read stands.
    if (!journal.readToEnd(bytes)) {
        platform::ReportFailure(kOperation, store.journalPath);
    }
    journal.close();
    return ScanJournalBytes(bytes, store.settings, selectedDate, day, month, sink);
}

}  // namespace tallimer
