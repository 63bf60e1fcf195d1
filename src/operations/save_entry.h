#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

#include "accounting/time_lists.h"
#include "model/day_state.h"
#include "operations/settings_store.h"

namespace tallimer {

// What Save Entry reads from the entry panel.
struct EntryPanelInput {
    QDate date;            // the date picker's date
    QString hourText;      // selected hour item, empty without a selection
    QString minuteText;    // selected minute item, empty without a selection
    QString projectText;   // the project box's edit text
    QStringList projects;  // the project box's list
};

// What Save Entry changes besides DayState and the balance; the window applies it.
struct SaveEntryResult {
    bool success = false;
    int messageId = 0;                       // a stop-icon message to show, 0 for none
    QString statusText;                      // set on success
    bool removeEnabled = false;              // on success: the Remove button is enabled
    std::optional<TimeRecord> preset;        // after a day's first entry: preset for the lists
    std::optional<QString> projectToAppend;  // a new name for the project box's list
};

// Appends the next entry (a Start, or the Stop of the open period) of the selected day.
// On any failure the journal keeps its bytes and nothing else changes. A Stop's balance change
// is saved at once, in one transaction with the journal (change_intent.h).
SaveEntryResult SaveEntry(const EntryPanelInput& input, SettingsStore& store, DayState& day);

}  // namespace tallimer
