#pragma once

#include <cstdint>

#include "model/day_state.h"
#include "model/settings.h"

namespace tallimer {

// The time a period counts to: a set cut-off time (not 0) caps it.
int32_t CappedAtCutOff(int32_t time, const Settings& settings);

// The target the day's periods are booked against: its own where days off or a week plan give
// it one, else Setup's.
int32_t DayTarget(const DayState& day, const Settings& settings);

// Adds a closed period to the day's presence and recomputes its credit; the break is charged
// only once the presence exceeds break + 240 minutes.
void AddClosedPeriod(DayState& day, const Settings& settings, int32_t duration);

// A Stop closes a period: the balance moves by the change of the day's credit.
void BookStopInBalance(Settings& settings, DayState& day, int32_t duration);

// Remove takes the day's credit out of the balance and empties the day; a day off's credit
// stays booked, as it is the day's without entries.
void BookDayRemoval(Settings& settings, DayState& day);

// Whether a booking of one day (a Stop, a Remove, and the undo of either) can move the balance
// by `change`: a day holds at most 24 hours of presence, less its target and break. A record
// that claims more was not written by one.
bool IsOneDaysBalanceChange(int64_t change, const Settings& settings);

// Whether the new-month check asks to cap the balance.
bool NewMonthCheckAsks(int32_t newMonthFlag, const Settings& settings);
// The answer OK to that question.
void ApplyNewMonthCap(Settings& settings);

}  // namespace tallimer
