#pragma once

#include <QDate>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tallimer {

// Vacation, sick leave and public holidays count their share of the day's target as worked; a
// flexitime day off counts nothing, so its target is owed from the balance.
enum class DayOffKind : uint8_t { Vacation, Sick, Holiday, Flexday };

struct DayOff {
    QDate date;
    DayOffKind kind = DayOffKind::Vacation;
    bool half = false;
    bool operator==(const DayOff&) const = default;
};

// A target per weekday, Monday first, in minutes, holding from `from` until a later plan.
struct WeekPlan {
    QDate from;
    std::array<int32_t, 7> targets{};
    bool operator==(const WeekPlan&) const = default;
};

// The days off and the working weeks, as the days file beside the journal holds them. Without
// either, every day is as the journal alone makes it.
struct DaysBook {
    std::vector<DayOff> daysOff;  // by date, one a date
    std::vector<WeekPlan> weeks;  // by date, one a date
    // Comments and lines that could not be read, as they stood: a file edited by hand loses
    // nothing when the program writes it again.
    std::vector<std::string> keptLines;

    bool empty() const { return daysOff.empty() && weeks.empty(); }
    const DayOff* dayOff(QDate date) const;
    // The plan in force on `date`: the latest that holds from that date or before.
    const WeekPlan* weekAt(QDate date) const;
    // Marks `day` (replacing that date's mark) or clears `date`, keeping the order.
    void mark(const DayOff& day);
    bool clear(QDate date);
    void setWeek(const WeekPlan& plan);

    bool operator==(const DaysBook&) const = default;
};

}  // namespace tallimer
