#pragma once

#include <QDate>
#include <cstdint>
#include <map>
#include <string_view>

#include "model/day_state.h"
#include "model/days_book.h"
#include "model/settings.h"

namespace tallimer {

// The dates from which two days books may give a day other terms: nothing when they give
// every day the same; no `last` when a week plan differs, as it holds on from its date.
struct ChangedSpan {
    QDate first;
    QDate last;  // null: no end
};
std::optional<ChangedSpan> SpanOfChange(const DaysBook& before, const DaysBook& after);

// What the journal's lines make of each day in a span: its presence, and whether a period of
// it closed. A day's credit under any terms follows from these.
class DayTotals {
  public:
    DayTotals(const Settings& settings, ChangedSpan span) : settings_(settings), span_(span) {}
    // A journal line as CutLine leaves it; lines of other dates pass untouched.
    void AddLine(std::string_view line);
    // How far the balance moves when the days of the span change from `before`'s terms to
    // `after`'s: the sum of each day's new credit less its old.
    int64_t CreditChange(const DaysBook& before, const DaysBook& after) const;

  private:
    struct Day {
        DayState state;
        bool closed = false;
    };
    int32_t CreditUnder(const DaysBook& book, QDate date, const Day* day) const;

    const Settings& settings_;
    ChangedSpan span_;
    std::map<QDate, Day> days_;
};

}  // namespace tallimer
