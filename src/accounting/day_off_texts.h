#pragma once

#include <QString>

#include "model/days_book.h"

namespace tallimer {

// A kind of day off as the window names it: "Vacation", "Sick", "Public holiday",
// "Flexitime day off".
QString DayOffKindText(DayOffKind kind);

// The day summary's line for the selected day: the kind, "Half day ..." for a half day; empty
// when the day is no day off, so the summary then reads as it always did.
QString DayOffSummaryText(const DayOff* day);

}  // namespace tallimer
