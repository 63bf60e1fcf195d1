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

// The last steps of a rewrite of the journal (Remove's, Edit day's) once the new content is
// written to `replacement` as `kept`: the intent, the old file kept for undo, the rename, the
// balance `after` saved and undo's record. False when nothing changed (reported under
// `operation`); the journal stays locked by `writer` until the change is complete.
bool CommitJournalRewrite(const char* operation, const Journal& journal, Journal::Writer& writer,
                          platform::Replacement& replacement, SettingsStore& store,
                          const Settings& after, const JournalMark& oldMark,
                          const Journal::Writer::KeptCopy& kept, const LedgerNote& note,
                          bool& undoRecorded);

}  // namespace tallimer
