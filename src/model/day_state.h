#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "model/days_book.h"

namespace tallimer {

// The selected day, rebuilt by every scan and changed in place by Save Entry and Remove.
struct DayState {
    int32_t entryCount = 0;
    int32_t lastStart = 0;
    QString selectedDateText;  // "%d/%02d/%02d"
    int32_t periodOpen = 0;
    int32_t presence = 0;
    int32_t credit = 0;
    // What a day off or a week plan makes of the day (none without the days file): the target
    // its periods are booked against instead of Setup's, the credit it has before a period
    // closes, and the kind of day off.
    std::optional<int32_t> ownTarget = std::nullopt;
    int32_t emptyCredit = 0;
    std::optional<DayOffKind> dayOff = std::nullopt;

    bool operator==(const DayState&) const = default;
};

}  // namespace tallimer
