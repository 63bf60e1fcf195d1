#pragma once

#include <QDate>
#include <QHash>
#include <QString>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "model/day_state.h"
#include "model/settings.h"

namespace tallimer {

// One period of work: an opening line and, once closed, the line that closed it.
struct Period {
    QDate date;
    int32_t start = 0;            // minutes since midnight
    std::optional<int32_t> stop;  // as written; none while the period is open
    // What the balance counts: the stop capped at the cut-off, less the start; 0 while open.
    int32_t minutes = 0;
    QString project;      // of the opening line
    QString stopProject;  // of the closing line; empty while open
};

// Every period of the journal, from its lines handed on one at a time; the lines of each date
// pair by position as the scan pairs them.
class PeriodList {
  public:
    explicit PeriodList(const Settings& settings) : settings_(settings) {}
    // A journal line as CutLine leaves it; lines without a date pass untouched.
    void AddLine(std::string_view line);
    // Ordered by date, the periods of one date in journal order.
    std::vector<Period> Periods() const;

  private:
    struct Day {
        DayState state;
        size_t openPeriod = 0;  // the period the day's latest opening line began
    };
    const Settings& settings_;
    QHash<qint64, Day> days_;  // by Julian day
    std::vector<Period> periods_;
};

}  // namespace tallimer
