#pragma once

#include <QDate>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>
#include <vector>

#include "journal/journal.h"
#include "model/day_state.h"
#include "model/days_book.h"
#include "operations/settings_store.h"

namespace tallimer {

// One entry of a day as the editor shows it.
struct DayEntryRow {
    int32_t time = 0;  // minutes after midnight
    bool stop = false;
    QString project;
    bool operator==(const DayEntryRow&) const = default;
};
using DayEntryRows = std::vector<DayEntryRow>;

// The day's entries in journal order, and the mark of the journal they were read from.
struct DayEntriesRead {
    int error = 0;  // 0, or the errno of the open that failed
    DayEntryRows rows;
    JournalMark mark;
};
DayEntriesRead ReadDayEntries(const Journal& journal, QDate date);

enum class EditDayOutcome {
    Edited,
    TimeOutOfRange,  // a time outside 0:00 to 23:59
    NotInOrder,      // a time earlier than the one before it
    NotAlternating,  // not Start, Stop, Start, ... (an open Start may end the day)
    JournalChanged,  // the journal is no longer the one the editor read
    NoEntries,       // the day has no lines to put the rows in place of
    DatabaseError,
};

// The first rule the rows break, if any.
std::optional<EditDayOutcome> RowsRefusal(const DayEntryRows& rows);

// The editor's time texts: "8:05"; "H:MM" or "HH:MM" of 0:00 to 23:59 read back.
QString EntryTimeText(int32_t time);
std::optional<int32_t> EntryTimeOfText(QStringView text);

// What the editor hands back: the day's new rows, for the journal it read them from.
struct DayEdit {
    QDate date;
    DayEntryRows rows;
    JournalMark expectedMark;
};

// Rewrites the journal with the lines of `edit.date` replaced by its rows, where the day's
// first line was, every other line byte for byte, as Remove rewrites it (temporary, one
// rename, the old file kept for undo), and books the change of the day's credit under `days`'s
// terms (new less old) in the same transaction. `day` is that date's DayState, whose credit
// the balance holds. The rows are refused by their rules first; the journal when its mark is
// not the expected one, or its lines of the day do not give `day`'s credit. A refusal or
// failure writes nothing. `newLine` gets the lines of the new content, from the same read,
// before it is committed; meanwhile store.settings hold the balance that goes with it.
EditDayOutcome EditDay(const Journal& journal, SettingsStore& store, const DayState& day,
                       const DaysBook& days, const DayEdit& edit, bool& undoRecorded,
                       const LineVisitor& newLine = {});

}  // namespace tallimer
