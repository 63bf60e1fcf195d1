#include "accounting/day_tally.h"

#include "accounting/balance.h"
#include "base/saturating.h"
#include "journal/journal_line.h"

namespace tallimer {

DayTerms OpenTalliedDay(TalliedDay& day, QDate date, const Settings& settings,
                        const DaysBook* days) {
    day.date = date;
    day.state.selectedDateText = SelectedDateText(date);
    DayTerms terms;
    if (days != nullptr) {
        terms = TermsOf(*days, settings, date);
        ApplyTerms(day.state, terms, settings);
    }
    return terms;
}

void CloseTalliedDay(TalliedDay& day, const DayTerms& terms, const Settings& settings,
                     bool withDays, QDate today) {
    if (withDays) {
        day.dayOff = terms.kind;
        day.half = terms.half;
        day.missing =
            IsMissingDay(terms, day.state.entryCount) && (!today.isValid() || day.date <= today);
        if (day.state.entryCount == 0 && day.dayOff) {
            day.target = DayTarget(day.state, settings);
            day.credit = day.state.emptyCredit;
        }
    }
    if (day.state.entryCount != 0) {
        day.target = DayTarget(day.state, settings);
        // Recomputed from the presence, so that a day without a closed period is charged
        // its target too; the day's own DayState stays as the scan leaves it.
        DayState charged = day.state;
        AddClosedPeriod(charged, settings, 0);
        day.credit = charged.credit;
        day.breakCharged = SatSub(SatSub(day.state.presence, day.target), day.credit);
    }
}

}  // namespace tallimer
