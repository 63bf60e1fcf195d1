#include "accounting/day_off_dates.h"

namespace tallimer {

bool IsWorkday(const DaysBook& book, QDate date) {
    const int weekday = date.dayOfWeek();  // 1 is Monday
    if (const WeekPlan* plan = book.weekAt(date)) {
        return plan->targets[size_t(weekday - 1)] > 0;
    }
    return weekday <= 5;
}

std::vector<QDate> DayOffDates(const DaysBook& book, QDate from, QDate to) {
    if (from == to) {
        return {from};
    }
    std::vector<QDate> dates;
    for (QDate date = from; date <= to; date = date.addDays(1)) {
        if (IsWorkday(book, date)) {
            dates.push_back(date);
        }
    }
    return dates;
}

}  // namespace tallimer
