#include "accounting/week_summary.h"

#include <algorithm>

#include "accounting/balance.h"
#include "accounting/day_lines.h"
#include "base/collation.h"
#include "base/saturating.h"
#include "journal/journal_lines.h"
#include "platform/code_page.h"

namespace tallimer {

WeekTally::WeekTally(const Settings& settings, QDate date, const DaysBook* days)
    : settings_(settings) {
    week_.withDays = days != nullptr && !days->empty();
    week_.isoWeek = date.weekNumber(&week_.isoYear);
    const QDate monday = date.addDays(1 - date.dayOfWeek());
    for (int i = 0; i < 7; ++i) {
        WeekDay& day = week_.days[size_t(i)];
        day.date = monday.addDays(i);
        day.state.selectedDateText = SelectedDateText(day.date);
        if (week_.withDays) {
            terms_[size_t(i)] = TermsOf(*days, settings, day.date);
            ApplyTerms(day.state, terms_[size_t(i)], settings);
        }
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

    const std::string_view project = ProjectBytes(line);
    const QByteArray key(project.data(), qsizetype(project.size()));
    auto found = projectIndex_.constFind(key);
    if (found == projectIndex_.constEnd()) {
        found = projectIndex_.insert(key, week_.projects.size());
        week_.projects.push_back({platform::FromCodePage(project), 0});
    }
    int32_t& minutes = week_.projects[*found].minutes;
    minutes = SatAdd(minutes, IsStopLine(line) ? entryTime : SatSub(0, entryTime));
}

WeekSummary WeekTally::Summary() const {
    WeekSummary week = week_;
    for (size_t i = 0; i < week.days.size(); ++i) {
        WeekDay& day = week.days[i];
        if (week.withDays) {
            day.dayOff = terms_[i].kind;
            day.half = terms_[i].half;
            day.missing = IsMissingDay(terms_[i], day.state.entryCount);
            if (day.state.entryCount == 0 && day.dayOff) {
                day.target = DayTarget(day.state, settings_);
                day.credit = day.state.emptyCredit;
            }
        }
        if (day.state.entryCount != 0) {
            day.target = DayTarget(day.state, settings_);
            // Recomputed from the presence, so that a day without a closed period is charged
            // its target too; the day's own DayState stays as the scan leaves it.
            DayState charged = day.state;
            AddClosedPeriod(charged, settings_, 0);
            day.credit = charged.credit;
        }
        week.presence = SatAdd(week.presence, day.state.presence);
        week.target = SatAdd(week.target, day.target);
        week.credit = SatAdd(week.credit, day.credit);
    }
    // The report adds the most recently met project first, so of names that sort equal the
    // later one stands first.
    std::reverse(week.projects.begin(), week.projects.end());
    std::stable_sort(week.projects.begin(), week.projects.end(),
                     [](const ProjectTotal& a, const ProjectTotal& b) {
                         return CompareCollated(a.name, b.name) < 0;
                     });
    return week;
}

}  // namespace tallimer
