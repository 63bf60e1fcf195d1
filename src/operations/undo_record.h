#pragma once

#include <QByteArray>
#include <QDate>
#include <cstdint>
#include <optional>
#include <string_view>

#include "journal/journal_mark.h"
#include "journal/ledger_text.h"

namespace tallimer {

// The record "<journal>.undo-info" that undo reads: what the last change left, as lines of
// text.

// The journal as the change left it: its content's mark and its file, since an editor's save
// replaces the file.
struct UndoMark {
    JournalMark content;
    unsigned long long inode = 0;
    bool operator==(const UndoMark&) const = default;
};

// Days: a change of days off or week plans, whose old days file is kept as "<journal>.undo".
enum class UndoKind { Append, Replace, Days };

// The old journal Remove kept as "<journal>.undo": its file and the SHA-256 of its content,
// so that undo puts back only the file it kept, never one put there since.
struct UndoCopy {
    unsigned long long device = 0;
    unsigned long long inode = 0;
    long long size = 0;
    QByteArray hash;
    bool operator==(const UndoCopy&) const = default;
};

struct UndoRecord {
    UndoKind kind = UndoKind::Append;
    long long cutLength = 0;  // Append: the length before the line; -1: the save created it
    UndoMark after;
    int32_t balanceChange = 0;
    UndoCopy copy;  // Replace: the old journal; Days: the old days file (size and hash only)
    JournalMark daysAfter;  // Days only: the days file as the change left it
    // The days the change concerned, for the ledger's line of its undo; none in a record from
    // before the ledger.
    QDate from;
    QDate to;
    // What the change was, to say what its undo took back; none in an older record.
    std::optional<LedgerReason> reason;
    bool operator==(const UndoRecord&) const = default;
};

QByteArray FormatUndoRecord(const UndoRecord& record);
std::optional<UndoRecord> ParseUndoRecord(std::string_view bytes);

}  // namespace tallimer
