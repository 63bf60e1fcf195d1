#include "operations/remove_day_entries.h"

#include <QCryptographicHash>
#include <algorithm>
#include <cstring>
#include <optional>

#include "accounting/balance.h"
#include "base/saturating.h"
#include "journal/journal_line.h"
#include "journal/kept_lines.h"
#include "operations/change_intent.h"
#include "operations/undo.h"
#include "platform/diagnostics.h"
#include "platform/file.h"
#include "resources/string_table.h"

namespace tallimer {

namespace {
constexpr char kOperation[] = "remove day entries";
// Bytes read and written at a time: the copy needs this much memory whatever the journal's size.
constexpr long long kCopyChunk = 256 * 1024;

RemoveResult Failure() {
    RemoveResult result;
    result.messageId = StringId::DatabaseError;
    return result;
}

// What goes to the new journal, with its length and last bytes for the change's mark.
struct Output {
    platform::File& file;
    long long length = 0;
    std::string tail;

    bool write(std::string_view bytes) {
        if (!file.write(bytes)) {
            return false;
        }
        length += static_cast<long long>(bytes.size());
        tail.append(bytes.substr(bytes.size() - std::min<size_t>(bytes.size(), kMarkWindow)));
        if (tail.size() > 2 * size_t(kMarkWindow)) {
            tail.erase(0, tail.size() - size_t(kMarkWindow));
        }
        return true;
    }
};

// Copies the journal from its current position to its end: with `kept`, the lines it keeps.
// `read`, when given, takes in every byte read.
bool Copy(platform::File& journal, KeptLines* kept, Output& copy,
          QCryptographicHash* read = nullptr) {
    std::string buffer(size_t(kCopyChunk), '\0');
    std::string out;
    for (;;) {
        const long long got = journal.read(buffer.data(), kCopyChunk);
        if (got < 0) {
            // A copy of part of the journal would lose the rest.
            return false;
        }
        const std::string_view piece(buffer.data(), size_t(got));
        if (read != nullptr) {
            read->addData(QByteArrayView(piece.data(), qsizetype(piece.size())));
        }
        out.clear();
        if (kept == nullptr) {
            out = piece;
        } else if (got == 0) {
            kept->Finish(out);
        } else {
            kept->Feed(piece, out);
        }
        if (!out.empty() && !copy.write(out)) {
            return false;
        }
        if (got == 0) {
            return true;
        }
    }
}

// Writes the journal's kept lines to `out`, from its start; `whole` hashes the whole journal,
// for undo to know its kept copy again.
bool WriteKept(platform::File& journal, const QByteArray& key, Output& out,
               QCryptographicHash& whole) {
    KeptLines kept(std::string_view(key.constData(), size_t(key.size())));
    // A last line without LF that began with the key is kept all the same; its bytes were
    // not held, so they are read again.
    return journal.seekTo(0) && Copy(journal, &kept, out, &whole) &&
           (kept.DroppedTailStart() < 0 ||
            (journal.seekTo(kept.DroppedTailStart()) && Copy(journal, nullptr, out)));
}
}  // namespace

RemoveResult RemoveDayEntries(SettingsStore& store, DayState& day) {
    if (day.entryCount == 0) {
        return {};
    }
    const QByteArray dateKey = DateKey(day.selectedDateText);
    if (dateKey.isEmpty()) {
        return {};
    }

    // Opened as a writer: held alone until the new content has taken its place, and refused
    // when it is read-only, as Save refuses it.
    platform::File journal =
        platform::File::OpenExisting(store.journalPath, platform::File::Access::ReadWrite);
    if (!journal.isOpen()) {
        platform::ReportFailure(kOperation, store.journalPath);
        return Failure();
    }
    const long long oldLength = journal.seekToEnd();
    const std::optional<std::string> oldTail = JournalTail(journal, oldLength);
    if (!oldTail) {
        platform::ReportFailure(kOperation, store.journalPath);
        return Failure();
    }
    platform::Replacement replacement = platform::Replacement::Beside(store.journalPath);
    Output out{replacement.file(), 0, {}};
    QCryptographicHash whole(QCryptographicHash::Sha256);
    if (!replacement.isOpen() || !WriteKept(journal, dateKey, out, whole)) {
        platform::ReportFailure(kOperation, store.journalPath);
        return Failure();
    }
    // The removal and its balance change as one transaction; the journal stays locked until
    // the change is complete.
    Settings after = store.settings;
    DayState removed = day;
    BookDayRemoval(after, removed);
    BalanceChange change;
    if (!change.Begin(store, after, JournalChange::Replace, MarkOf(*oldTail, oldLength),
                      MarkOf(out.tail, out.length))) {
        return Failure();  // the replacement's temporary goes with it
    }
    // The old file stays as undo's copy; without one this Remove cannot be undone.
    const bool keptForUndo = KeepJournalForUndo(store.journalPath);
    if (!replacement.commit()) {
        const int reason = errno;
        change.Abandon();
        platform::DeleteFile(UndoCopyPath(store.journalPath));
        platform::ReportFailure(kOperation, store.journalPath, reason);
        return Failure();
    }

    const int32_t balanceChange = SatSub(after.flexBalance, store.settings.flexBalance);
    const platform::FileIdentity old = journal.identity();
    store.settings = after;
    day = removed;
    change.Complete(store);
    if (keptForUndo) {
        RecordUndo(store.journalPath, UndoKind::Replace, 0, MarkOf(out.tail, out.length),
                   balanceChange, {old.device, old.inode, old.size, whole.result()});
    }
    RemoveResult result;
    result.success = true;
    result.statusText = LoadString(StringId::StatusStart);
    return result;
}

}  // namespace tallimer
