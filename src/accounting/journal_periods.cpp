#include "accounting/journal_periods.h"

#include <algorithm>

#include "accounting/day_lines.h"
#include "journal/journal_lines.h"
#include "platform/code_page.h"

namespace tallimer {

void PeriodList::AddLine(std::string_view line) {
    const std::optional<QDate> date = LineDate(line);
    if (!date) {
        return;
    }
    Day& day = days_[date->toJulianDay()];
    const int32_t entryTime = EntryTime(line);
    const QString project = platform::FromCodePage(ProjectBytes(line));
    if (const std::optional<int32_t> length = TakeDayLine(day.state, settings_, entryTime)) {
        Period& period = periods_[day.openPeriod];
        period.stop = entryTime;
        period.minutes = *length;
        period.stopProject = project;
    } else {
        day.openPeriod = periods_.size();
        periods_.push_back({*date, entryTime, std::nullopt, 0, project, QString()});
    }
}

std::vector<Period> PeriodList::Periods() const {
    std::vector<Period> periods = periods_;
    std::stable_sort(periods.begin(), periods.end(),
                     [](const Period& a, const Period& b) { return a.date < b.date; });
    return periods;
}

}  // namespace tallimer
