#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "journal/day_state.h"
#include "settings/settings_store.h"

namespace tallimer {

struct RemoveResult {
    bool success = false;
    int messageId = 0;   // a stop-icon message to show, 0 for none
    QString statusText;  // on success: "Start:"; the Remove button is then disabled
};

// Rewrites the journal without the selected day's lines (through "tmp" and one atomic rename)
// and takes the day's credit out of the balance. Any failure leaves journal, balance and
// DayState as they were and no "tmp" behind. A day without entries returns silently.
RemoveResult RemoveDayEntries(SettingsStore& store, DayState& day);

// The kept bytes: every line of `journal` that does not begin with the date key, byte for
// byte, including bare-LF lines and a last line without LF.
void AppendKeptLines(std::string_view journal, std::string_view dateKey, std::string& out);

}  // namespace tallimer
