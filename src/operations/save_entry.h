#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

#include "accounting/time_lists.h"
#include "journal/journal.h"
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

enum class SaveOutcome { Saved, NotLater, DatabaseError };

// Whether the entry's time is one the clock has not reached yet: on `now`'s date, later than
// `now` as the time lists show it (moved to `minuteUnit`), so the lists' own rounding of the
// clock is not the future. Such an entry is saved only when the user confirms it.
bool EntryIsInFuture(const EntryPanelInput& input, const QDateTime& now, int32_t minuteUnit);

// What a Save changed besides DayState and the balance.
struct SavedEntry {
    QByteArray line;                         // the entry line appended
    std::optional<TimeRecord> preset;        // after a day's first entry: preset for the lists
    std::optional<QString> projectToAppend;  // a new name for the project box's list
    bool undoRecorded = false;               // undo's record names the journal as it is now
};

// Appends the next entry (a Start, or the Stop of the open period) of the selected day, reading
// no more of the journal than its last bytes, for the marks of the change. On any failure the
// journal keeps its bytes and nothing else changes. A Stop's balance change is booked once and
// saved at once, in one transaction with the journal (change_intent.h).
SaveOutcome SaveEntry(const Journal& journal, const EntryPanelInput& input, SettingsStore& store,
                      DayState& day, SavedEntry& saved);

}  // namespace tallimer
