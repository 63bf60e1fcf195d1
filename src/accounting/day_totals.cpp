#include "accounting/day_totals.h"

#include <set>

#include "accounting/balance.h"
#include "accounting/day_lines.h"
#include "accounting/day_terms.h"
#include "journal/journal_line.h"
#include "journal/journal_lines.h"

namespace tallimer {

std::optional<ChangedSpan> SpanOfChange(const DaysBook& before, const DaysBook& after) {
    std::optional<ChangedSpan> span;
    const auto widen = [&span](QDate date, bool endless) {
        if (!span) {
            span = ChangedSpan{date, endless ? QDate() : date};
            return;
        }
        span->first = std::min(span->first, date);
        if (endless || (span->last.isValid() && date > span->last)) {
            span->last = endless ? QDate() : date;
        }
    };
    for (const DaysBook* book : {&before, &after}) {
        const DaysBook& other = book == &before ? after : before;
        for (const DayOff& day : book->daysOff) {
            const DayOff* there = other.dayOff(day.date);
            if (there == nullptr || !(*there == day)) {
                widen(day.date, false);
            }
        }
        for (const WeekPlan& week : book->weeks) {
            const auto same = std::find(other.weeks.begin(), other.weeks.end(), week);
            if (same == other.weeks.end()) {
                widen(week.from, true);
            }
        }
    }
    return span;
}

void DayTotals::AddLine(std::string_view line) {
    const std::optional<QDate> date = LineDate(line);
    if (!date || *date < span_.first || (span_.last.isValid() && *date > span_.last)) {
        return;
    }
    Day& day = days_[*date];
    if (TakeDayLine(day.state, settings_, EntryTime(line))) {
        day.closed = true;
    }
}

int32_t DayTotals::CreditUnder(const DaysBook& book, QDate date, const Day* day) const {
    DayState state;
    ApplyTerms(state, TermsOf(book, settings_, date), settings_);
    if (day != nullptr && day->closed) {
        // The credit follows from the day's whole presence, however it came.
        AddClosedPeriod(state, settings_, day->state.presence);
    }
    return state.credit;
}

int64_t DayTotals::CreditChange(const DaysBook& before, const DaysBook& after) const {
    // Days without entries count only where a day off gives them a credit.
    std::set<QDate> dates;
    for (const auto& [date, day] : days_) {
        dates.insert(date);
    }
    for (const DaysBook* book : {&before, &after}) {
        for (const DayOff& day : book->daysOff) {
            if (day.date >= span_.first && (!span_.last.isValid() || day.date <= span_.last)) {
                dates.insert(day.date);
            }
        }
    }
    int64_t change = 0;
    for (const QDate date : dates) {
        const auto found = days_.find(date);
        const Day* day = found != days_.end() ? &found->second : nullptr;
        change += CreditUnder(after, date, day) - CreditUnder(before, date, day);
    }
    return change;
}

}  // namespace tallimer
