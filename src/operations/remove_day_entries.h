#pragma once

#include <QString>

#include "journal/journal.h"
#include "model/day_state.h"
#include "operations/settings_store.h"

namespace tallimer {

enum class RemoveOutcome { Removed, NothingToRemove, DatabaseError };

// Rewrites the journal without the selected day's lines (through a temporary beside it and
// one atomic rename), reading it once, and takes the day's credit out of the balance, in one
// transaction (change_intent.h). Any failure, a read-only journal included, leaves journal,
// balance and DayState as they were and no temporary behind. A day without entries is
// NothingToRemove, which says nothing. `undoRecorded` tells whether undo can take it back;
// `keptLine` gets the lines of the new content, from the same read, before it is committed;
// meanwhile store.settings hold the balance that goes with that content.
RemoveOutcome RemoveDayEntries(const Journal& journal, SettingsStore& store, DayState& day,
                               bool& undoRecorded, const LineVisitor& keptLine = {});

}  // namespace tallimer
