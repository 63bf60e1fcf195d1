#include "model/days_book.h"

#include <algorithm>

namespace tallimer {

namespace {
// The first item dated `date` or later, in items kept by date.
template <typename Items, typename DateOf>
auto FirstNotBefore(Items& items, QDate date, DateOf dateOf) {
    return std::lower_bound(items.begin(), items.end(), date,
                            [&dateOf](const auto& item, QDate d) { return dateOf(item) < d; });
}

// Puts `item` in its date's place, replacing the one of that date.
template <typename Items, typename Item, typename DateOf>
void PutInPlace(Items& items, const Item& item, DateOf dateOf) {
    const auto at = FirstNotBefore(items, dateOf(item), dateOf);
    if (at != items.end() && dateOf(*at) == dateOf(item)) {
        *at = item;
    } else {
        items.insert(at, item);
    }
}
}  // namespace

const DayOff* DaysBook::dayOff(QDate date) const {
    const auto found = FirstNotBefore(daysOff, date, [](const DayOff& d) { return d.date; });
    return found != daysOff.end() && found->date == date ? &*found : nullptr;
}

const WeekPlan* DaysBook::weekAt(QDate date) const {
    const auto after =
        std::upper_bound(weeks.begin(), weeks.end(), date,
                         [](QDate d, const WeekPlan& plan) { return d < plan.from; });
    return after == weeks.begin() ? nullptr : &*(after - 1);
}

void DaysBook::mark(const DayOff& day) {
    PutInPlace(daysOff, day, [](const DayOff& d) { return d.date; });
}

bool DaysBook::clear(QDate date) {
    const auto at = FirstNotBefore(daysOff, date, [](const DayOff& d) { return d.date; });
    if (at == daysOff.end() || at->date != date) {
        return false;
    }
    daysOff.erase(at);
    return true;
}

void DaysBook::setWeek(const WeekPlan& plan) {
    PutInPlace(weeks, plan, [](const WeekPlan& w) { return w.from; });
}

}  // namespace tallimer
