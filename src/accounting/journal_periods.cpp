#include "accounting/journal_periods.h"

#include <algorithm>
#include <cstring>

#include "accounting/day_lines.h"
#include "journal/journal_lines.h"
#include "platform/code_page.h"

namespace tallimer {

PeriodList::Day* PeriodList::DayOf(std::string_view line, int32_t* julianDay) {
    if (lastDay_ != nullptr && line.size() >= lastDate_.size() &&
        std::memcmp(line.data(), lastDate_.data(), lastDate_.size()) == 0) {
        *julianDay = lastJulianDay_;
        return lastDay_;
    }
    const std::optional<QDate> date = LineDate(line);
    if (!date) {
        return nullptr;
    }
    // Four-digit years: far inside 32 bits.
    *julianDay = int32_t(date->toJulianDay());
    std::memcpy(lastDate_.data(), line.data(), lastDate_.size());
    lastJulianDay_ = *julianDay;
    lastDay_ = &days_[*julianDay];
    return lastDay_;
}

uint32_t PeriodList::ProjectOf(std::string_view line) {
    const std::string_view bytes = ProjectBytes(line);
    if (lastProject_ != nullptr && lastProject_->first == bytes) {
        return lastProject_->second;
    }
    auto found = projectIds_.find(bytes);
    if (found == projectIds_.end()) {
        found = projectIds_.emplace(bytes, uint32_t(projects_.size())).first;
        projects_.push_back(platform::FromCodePage(bytes));
    }
    lastProject_ = &*found;
    return found->second;
}

void PeriodList::AddLine(std::string_view line) {
    int32_t julianDay = 0;
    Day* const day = DayOf(line, &julianDay);
    if (day == nullptr) {
        return;
    }
    const int32_t entryTime = EntryTime(line);
    const uint32_t project = ProjectOf(line);
    if (const std::optional<int32_t> length = TakeDayLine(day->state, settings_, entryTime)) {
        Kept& period = periods_[day->openPeriod];
        period.stop = entryTime;
        period.minutes = *length;
        period.stopProject = project;
    } else {
        day->openPeriod = periods_.size();
        periods_.push_back({julianDay, entryTime, 0, 0, project, Kept::kOpen});
        sorted_ = false;
    }
}

void PeriodList::ForEach(const std::function<void(const Period&)>& visit) {
    const auto byDate = [](const Kept& a, const Kept& b) { return a.julianDay < b.julianDay; };
    // A journal written day by day is in order already.
    if (!sorted_ && !std::is_sorted(periods_.begin(), periods_.end(), byDate)) {
        std::stable_sort(periods_.begin(), periods_.end(), byDate);
    }
    sorted_ = true;
    Period period;
    for (const Kept& kept : periods_) {
        period.date = QDate::fromJulianDay(kept.julianDay);
        period.start = kept.start;
        const bool closed = kept.stopProject != Kept::kOpen;
        period.stop = closed ? std::optional<int32_t>(kept.stop) : std::nullopt;
        period.minutes = kept.minutes;
        period.project = projects_[kept.project];
        period.stopProject = closed ? projects_[kept.stopProject] : QString();
        visit(period);
    }
}

}  // namespace tallimer
