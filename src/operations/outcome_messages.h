#pragma once

#include "operations/change_days.h"
#include "operations/edit_day.h"
#include "operations/remove_day_entries.h"
#include "operations/save_entry.h"
#include "operations/undo.h"

namespace tallimer {

// The string-table id of the message box that tells a command's outcome, 0 for none. Which
// box says "saved" or "removed" on success is the window's own choice.
int MessageOf(SaveOutcome outcome);
int MessageOf(RemoveOutcome outcome);
int MessageOf(UndoOutcome outcome);
int MessageOf(DaysOutcome outcome);
int MessageOf(EditDayOutcome outcome);

// The line that says what an undo took back: "Undone: Stop 17:15", "Undone: Remove
// 2026/12/07".
QString UndoneText(const UndoneChange& undone);

}  // namespace tallimer
