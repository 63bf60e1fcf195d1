#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "journal/journal.h"
#include "model/day_state.h"
#include "operations/change_intent.h"
#include "operations/settings_store.h"
#include "operations/undo_record.h"

namespace tallimer {

// One level of undo for the last journal change. Save Entry appends a line, so undo cuts the
// journal back to its old length (or removes a journal that the save created); Remove renames
// a new file over the journal, so the old file is kept as "<journal>.undo" (a hard link taken
// before the rename) and undo renames it back. A small record beside it, "<journal>.undo-info",
// names the journal as the change left it, so an undo never throws away what another program
// wrote since. Undo moves journal and balance as one transaction, as the change did.

// Handheld paths of the kept old journal and of the record.
QString UndoCopyPath(const QString& journalPath);
QString UndoRecordPath(const QString& journalPath);

// Forgets the last change's undo: a change it cannot take back came after it.
void ForgetUndo(const Journal& journal);

// Before Remove's rename: forgets the earlier change's undo and keeps the journal's file as
// "<journal>.undo"; false when it cannot.
bool KeepJournalForUndo(const Journal& journal);
// After a change, with the journal still locked: writes the record of the journal as the
// change left it (`after`), which replaces an earlier change's. A failure here only costs the
// undo, never the change: false then.
// `concerns` names the days the change concerned, for the ledger's line of its undo.
bool RecordUndo(const Journal& journal, UndoKind kind, long long cutLength,
                const JournalMark& after, int32_t balanceChange, const LedgerNote& concerns,
                const UndoCopy& copy = {}, const JournalMark& daysAfter = {});

// Before a change of the days file: forgets the earlier change's undo and keeps the days file's
// old `text` as "<journal>.undo"; what the record of a days change then names as its copy, or
// nullopt when it could not be kept (reported).
std::optional<UndoCopy> KeepDaysForUndo(const Journal& journal, std::string_view text);

// What an undo took back, for the window to say so.
struct UndoneChange {
    UndoKind kind = UndoKind::Append;
    std::optional<LedgerReason> reason;  // none from a record of an older build
    QDate from;                          // the days the change concerned, where known
    QDate to;
    std::string line;  // a Save's: the line it wrote, without its line end
};

enum class UndoOutcome {
    Undone,
    UndoneBalanceNotSaved,  // journal and balance are back, but the balance could not be saved
    NothingToUndo,
    JournalGone,
    JournalChanged,
    DaysChanged,  // a days change's undo: the days file was changed since
    DatabaseError,
};

// Takes the last change back: the journal's old bytes and the balance before it, saved at
// once. Refused when there is nothing to undo, when the journal is gone, or when it changed
// since; it reads no more of the journal than its last bytes. A record or copy that is not
// what the change left (planted, altered, out of range) is dropped with one diagnostics line:
// there is then nothing to undo. A journal that undo removes (the change created it) leaves
// the day empty; otherwise DayState is the caller's to rebuild from `restoredLine`, which gets
// the lines of the content undo brings back, from the one read that brings them (undo of a
// Remove hands them on before the content is committed, with store.settings meanwhile holding
// the balance that goes with them, so only an outcome of Undone or UndoneBalanceNotSaved makes
// them the journal's).
// Undo of a days change puts the old days file back, then calls `daysRestored` (the caller's
// terms of the day change with it) before the journal's lines go to `restoredLine`.
// `undone`, where given, learns what an undo that went through took back.
UndoOutcome UndoLastChange(const Journal& journal, SettingsStore& store, DayState& day,
                           const LineVisitor& restoredLine = {},
                           const std::function<void()>& daysRestored = {},
                           UndoneChange* undone = nullptr);
// Whether the record names the journal whose content has the mark `now`.
bool CanUndo(const Journal& journal, const JournalMark& now);

}  // namespace tallimer
