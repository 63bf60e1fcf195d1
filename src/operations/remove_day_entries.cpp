#include "operations/remove_day_entries.h"

#include <cstring>

#include "accounting/balance.h"
#include "journal/journal_line.h"
#include "journal/kept_lines.h"
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

// Copies the journal from its current position to its end: with `kept`, the lines it keeps.
bool Copy(platform::File& journal, KeptLines* kept, platform::File& copy) {
    std::string buffer(size_t(kCopyChunk), '\0');
    std::string out;
    for (;;) {
        const long long got = journal.read(buffer.data(), kCopyChunk);
        if (got < 0) {
            // A copy of part of the journal would lose the rest.
            return false;
        }
        const std::string_view piece(buffer.data(), size_t(got));
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

// Writes the kept lines beside the journal, makes them durable and puts them in its place.
bool ReplaceJournal(platform::File& journal, const QString& journalPath, const QByteArray& key) {
    platform::Replacement replacement = platform::Replacement::Beside(journalPath);
    KeptLines kept(std::string_view(key.constData(), size_t(key.size())));
    // A last line without LF that began with the key is kept all the same; its bytes were
    // not held, so they are read again.
    const bool replaced =
        replacement.isOpen() && Copy(journal, &kept, replacement.file()) &&
        (kept.DroppedTailStart() < 0 ||
         (journal.seekTo(kept.DroppedTailStart()) && Copy(journal, nullptr, replacement.file()))) &&
        replacement.commit();
    if (!replaced) {
        platform::ReportFailure(kOperation, journalPath);
    }
    return replaced;
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
    if (!ReplaceJournal(journal, store.journalPath, dateKey)) {
        return Failure();
    }
    journal.close();

    BookDayRemoval(store.settings, day);
    SaveSettings(store);
    RemoveResult result;
    result.success = true;
    result.statusText = LoadString(StringId::StatusStart);
    return result;
}

}  // namespace tallimer
