#include "accounting/week_summary.h"

#include <algorithm>

#include "accounting/day_lines.h"
#include "base/saturating.h"
#include "journal/journal_lines.h"

namespace tallimer {

WeekTally::WeekTally(const Settings& settings, QDate date, const DaysBook* days, QDate today)
    : settings_(settings), today_(today) {
    week_.withDays = days != nullptr && !days->empty();
    week_.isoWeek = date.weekNumber(&week_.isoYear);
    const QDate monday = date.addDays(1 - date.dayOfWeek());
    for (int i = 0; i < 7; ++i) {
        WeekDay& day = week_.days[size_t(i)];
        terms_[size_t(i)] =
            OpenTalliedDay(day, monday.addDays(i), settings, week_.withDays ? days : nullptr);
        const QByteArray month = day.state.selectedDateText.left(7).toLatin1();
        if (!months_.contains(month)) {
            months_ << month;
        }
    }
}

void WeekTally::AddLine(std::string_view line) {
    // A line of the week begins with the year and month of one of its days: most lines are
    // settled without reading a date.
    const auto ofMonth = [line](const QByteArray& month) {
        return StartsWith(line, std::string_view(month.constData(), size_t(month.size())));
    };
    if (std::none_of(months_.cbegin(), months_.cend(), ofMonth)) {
        return;
    }
    const std::optional<QDate> date = LineDate(line);
    const qint64 offset = date ? week_.days.front().date.daysTo(*date) : -1;
    if (offset < 0 || offset > 6) {
        return;
    }
    const int32_t entryTime = EntryTime(line);
    TakeDayLine(week_.days[size_t(offset)].state, settings_, entryTime);
    projects_.Add(line, entryTime);
}

WeekSummary WeekTally::Summary() const {
    WeekSummary week = week_;
    for (size_t i = 0; i < week.days.size(); ++i) {
        WeekDay& day = week.days[i];
        CloseTalliedDay(day, terms_[i], settings_, week.withDays, today_);
        week.presence = SatAdd(week.presence, day.state.presence);
        week.target = SatAdd(week.target, day.target);
        week.credit = SatAdd(week.credit, day.credit);
    }
    week.projects = projects_.Sorted();
    return week;
}

}  // namespace tallimer
