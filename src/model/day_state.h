#pragma once

#include <QString>
#include <cstdint>

namespace tallimer {

// The selected day, rebuilt by every scan and changed in place by Save Entry and Remove.
struct DayState {
    int32_t entryCount = 0;
    int32_t lastStart = 0;
    QString selectedDateText;  // "%d/%02d/%02d"
    int32_t periodOpen = 0;
    int32_t presence = 0;
    int32_t credit = 0;

    bool operator==(const DayState&) const = default;
};

}  // namespace tallimer
