#include "accounting/day_terms.h"

namespace tallimer {

DayTerms TermsOf(const DaysBook& book, const Settings& settings, QDate date) {
    DayTerms terms;
    terms.target = settings.targetPerDay;
    if (const WeekPlan* week = book.weekAt(date)) {
        terms.target = week->targets[size_t(date.dayOfWeek() - 1)];
        terms.workday = terms.target > 0;
    }
    if (const DayOff* day = book.dayOff(date)) {
        terms.kind = day->kind;
        terms.half = day->half;
        if (day->kind != DayOffKind::Flexday) {
            // A half day counts the smaller half: the odd minute is owed, never given.
            terms.counted = day->half ? terms.target / 2 : terms.target;
        }
    }
    return terms;
}

Settings SettingsForDay(const Settings& settings, const DayTerms& terms) {
    Settings day = settings;
    day.targetPerDay = terms.target - terms.counted;
    return day;
}

int32_t EmptyDayCredit(const DayTerms& terms) {
    return terms.kind ? terms.counted - terms.target : 0;
}

void ApplyTerms(DayState& day, const DayTerms& terms, const Settings& settings) {
    const int32_t target = terms.target - terms.counted;
    day.ownTarget = target != settings.targetPerDay ? std::optional(target) : std::nullopt;
    day.emptyCredit = EmptyDayCredit(terms);
    day.credit = day.emptyCredit;
    day.dayOff = terms.kind;
}

bool IsMissingDay(const DayTerms& terms, int32_t entryCount) {
    return terms.workday && entryCount == 0 && !terms.kind;
}

}  // namespace tallimer
