#include "accounting/journal_periods.h"

#include <cstring>

#include "accounting/day_lines.h"
#include "journal/journal_lines.h"
#include "platform/line_text.h"

namespace tallimer {

namespace {
constexpr const char* kOperation = "periods";
}  // namespace

void PeriodList::AddLine(std::string_view line, long long offset) {
    if (!hasLastDate_ || line.size() < lastDate_.size() ||
        std::memcmp(line.data(), lastDate_.data(), lastDate_.size()) != 0) {
        const std::optional<uint32_t> key = LineDateNumber(line);
        if (!key) {
            runs_.Close(offset);
            return;
        }
        lastKey_ = *key;
        std::memcpy(lastDate_.data(), line.data(), lastDate_.size());
        hasLastDate_ = true;
    }
    runs_.Add(lastKey_, offset);
}

const QString& PeriodList::ProjectText(std::string_view bytes, size_t slot) {
    if (projectBytes_[slot] != bytes || projectTexts_[slot].isNull()) {
        projectBytes_[slot].assign(bytes);
        projectTexts_[slot] = platform::LineText(bytes);
    }
    return projectTexts_[slot];
}

bool PeriodList::ForEach(JournalAsRead& journal, const std::function<void(const Period&)>& visit) {
    runs_.Close(journal.linesEnd());
    runs_.Sort([](uint32_t a, uint32_t b) { return a < b; });
    // A date's lines come together, in journal order. They open and close periods in turn, so
    // a period is handed on as its closing line comes, and one left open at the date's end.
    DayState state;
    Period period;
    const auto endDay = [&] {
        if (state.periodOpen != 0) {
            visit(period);
        }
        state = DayState{};
    };
    uint32_t day = 0;
    const bool read =
        runs_.ForEachLine(journal, kOperation, [&](uint32_t key, std::string_view line) {
            if (key != day) {
                endDay();
                day = key;
                period.date = DateOfNumber(key).value_or(QDate());
                period.dateText = period.date.isValid()
                                      ? QString()
                                      : QString::asprintf("%04u/%02u/%02u", key / 10000,
                                                          key / 100 % 100, key % 100);
                const DayOff* off = days_ != nullptr && period.date.isValid()
                                        ? days_->dayOff(period.date)
                                        : nullptr;
                period.dayOff = off != nullptr ? std::optional(off->kind) : std::nullopt;
                period.half = off != nullptr && off->half;
            }
            const int32_t entryTime = EntryTime(line);
            const std::string_view project = ProjectBytes(line);
            if (const std::optional<int32_t> length = TakeDayLine(state, settings_, entryTime)) {
                period.stop = entryTime;
                period.minutes = *length;
                period.stopProject = ProjectText(project, 1);
                visit(period);
            } else {
                period.start = entryTime;
                period.stop.reset();
                period.minutes = 0;
                period.project = ProjectText(project, 0);
                period.stopProject.clear();
            }
        });
    endDay();
    return read;
}

}  // namespace tallimer
