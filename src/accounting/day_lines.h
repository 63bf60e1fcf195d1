#pragma once

#include <cstdint>
#include <optional>

#include "model/day_state.h"
#include "model/settings.h"

namespace tallimer {

// One more line of a day, paired by its position as the scan pairs them: the 1st, 3rd, ...
// line opens a period, the next one closes it, whatever the kind marker says. A closing line
// hands the period's length to AddClosedPeriod, its stop capped at the cut-off time when one
// is set, and that length is returned; an opening line returns nullopt.
std::optional<int32_t> TakeDayLine(DayState& day, const Settings& settings, int32_t entryTime);

}  // namespace tallimer
