#pragma once

#include <QString>

#include "model/day_state.h"
#include "operations/settings_store.h"

namespace tallimer {

struct RemoveResult {
    bool success = false;
    int messageId = 0;   // a stop-icon message to show, 0 for none
    QString statusText;  // on success: "Start:"; the Remove button is then disabled
};

// Rewrites the journal without the selected day's lines (through a temporary beside it and
// one atomic rename) and takes the day's credit out of the balance, in one transaction
// (change_intent.h). Any failure, a read-only journal included, leaves journal, balance and
// DayState as they were and no temporary behind. A day without entries returns silently.
RemoveResult RemoveDayEntries(SettingsStore& store, DayState& day);

}  // namespace tallimer
