#pragma once

#include <QByteArrayList>
#include <QDate>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "accounting/day_tally.h"
#include "accounting/day_terms.h"
#include "accounting/project_tally.h"
#include "model/day_state.h"
#include "model/days_book.h"
#include "model/month_state.h"
#include "model/settings.h"

namespace tallimer {

// A day of the week.
using WeekDay = TalliedDay;

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
    // Whether days off or week plans gave the days their terms; without, the week is as the
    // journal alone makes it.
    bool withDays = false;
};

// Builds the week of a date from the journal's lines, handed on one at a time.
class WeekTally {
  public:
    // `days`: the days off and week plans, if any; read at construction. `today`: workdays
    // after it are not missing yet.
    WeekTally(const Settings& settings, QDate date, const DaysBook* days = nullptr,
              QDate today = {});
    // A journal line as CutLine leaves it; lines of other weeks pass untouched.
    void AddLine(std::string_view line);
    WeekSummary Summary() const;

  private:
    const Settings& settings_;
    QDate today_;
    WeekSummary week_;
    std::array<DayTerms, 7> terms_;
    QByteArrayList months_;  // "YYYY/MM" of the week's days, one or two
    ProjectTally projects_;
};

}  // namespace tallimer
