#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QDate>
#include <QHash>
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "model/day_state.h"
#include "model/month_state.h"
#include "model/settings.h"

namespace tallimer {

struct WeekDay {
    QDate date;
    // What the scan leaves in DayState with this date selected.
    DayState state;
    // The day target, charged only on a day with entries (as the report counts days).
    int32_t target = 0;
    // Presence against the target, less the break as AddClosedPeriod charges it; a day whose
    // only period is still open is charged its target as well.
    int32_t credit = 0;
};

// The ISO week (Monday to Sunday) that holds a date.
struct WeekSummary {
    int isoYear = 0;
    int isoWeek = 0;
    std::array<WeekDay, 7> days;
    int32_t presence = 0;
    int32_t target = 0;
    int32_t credit = 0;
    // The week's lines totalled by project as the monthly report totals them: a Stop adds its
    // time, a Start subtracts its own, so an open period leaves its project negative. Sorted
    // as the report sorts its project nodes.
    std::vector<ProjectTotal> projects;
};

// Builds the week of a date from the journal's lines, handed on one at a time.
class WeekTally {
  public:
    WeekTally(const Settings& settings, QDate date);
    // A journal line as CutLine leaves it; lines of other weeks pass untouched.
    void AddLine(std::string_view line);
    WeekSummary Summary() const;

  private:
    const Settings& settings_;
    WeekSummary week_;
    QByteArrayList months_;  // "YYYY/MM" of the week's days, one or two
    // By the project's exact bytes, as the report compares them.
    QHash<QByteArray, size_t> projectIndex_;
};

}  // namespace tallimer
