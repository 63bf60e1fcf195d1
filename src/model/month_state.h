#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace tallimer {

struct ProjectTotal {
    QString name;
    int32_t minutes = 0;
};

// The selected month, rebuilt by every scan.
struct MonthState {
    // Net minutes per day of month (index 1 to 31); 0 no line, -1 lines that net to zero.
    std::array<int32_t, 32> dayTable{};
    QString selectedMonthText;
    int32_t trackedTotal = 0;
    // Set by the scan: no journal line after the first lies in the selected month or later.
    int32_t newMonthFlag = 0;
    int32_t projectCount = 0;
    std::vector<ProjectTotal> projects;
};

}  // namespace tallimer
