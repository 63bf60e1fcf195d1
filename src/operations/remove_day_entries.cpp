#include "operations/remove_day_entries.h"

#include "accounting/balance.h"
#include "base/saturating.h"
#include "journal/journal_line.h"
#include "operations/change_intent.h"
#include "operations/undo.h"
#include "platform/diagnostics.h"

namespace tallimer {

namespace {
constexpr char kOperation[] = "remove day entries";
}  // namespace

RemoveOutcome RemoveDayEntries(const Journal& journal, SettingsStore& store, DayState& day,
                               bool& undoRecorded, const LineVisitor& keptLine) {
    undoRecorded = false;
    const QByteArray dateKey = DateKey(day.selectedDateText);
    if (day.entryCount == 0 || dateKey.isEmpty()) {
        return RemoveOutcome::NothingToRemove;
    }
    // Opened as a writer: held alone until the new content has taken its place, and refused
    // when it is read-only, as Save refuses it.
    Journal::Writer writer = journal.openExisting();
    const long long oldLength = writer.isOpen() ? writer.length() : -1;
    const std::optional<JournalMark> oldMark =
        writer.isOpen() ? writer.markAt(oldLength) : std::nullopt;
    if (!oldMark) {
        platform::ReportFailure(kOperation, journal.path());
        return RemoveOutcome::DatabaseError;
    }
    Settings after = store.settings;
    DayState removed = day;
    BookDayRemoval(after, removed);
    // The new content's lines are handed on with the balance that goes with it, as a reader of
    // it would take them; until it has taken the journal's place, the settings are as before.
    const Settings before = store.settings;
    store.settings = after;
    platform::Replacement replacement = writer.replacement();
    const std::optional<Journal::Writer::KeptCopy> kept =
        replacement.isOpen()
            ? writer.writeKeptLines(std::string_view(dateKey.constData(), size_t(dateKey.size())),
                                    replacement.file(), keptLine)
            : std::nullopt;
    store.settings = before;
    if (!kept) {
        platform::ReportFailure(kOperation, journal.path());
        return RemoveOutcome::DatabaseError;
    }
    const QDate date = QDate::fromString(day.selectedDateText, u"yyyy/MM/dd");
    if (!CommitJournalRewrite(kOperation, journal, writer, replacement, store, after, *oldMark,
                              *kept, {LedgerReason::Remove, date, date}, undoRecorded)) {
        return RemoveOutcome::DatabaseError;  // the replacement's temporary goes with it
    }
    day = removed;
    return RemoveOutcome::Removed;
}

bool CommitJournalRewrite(const char* operation, const Journal& journal, Journal::Writer& writer,
                          platform::Replacement& replacement, SettingsStore& store,
                          const Settings& after, const JournalMark& oldMark,
                          const Journal::Writer::KeptCopy& kept, const LedgerNote& note,
                          bool& undoRecorded) {
    // The rewrite and its balance change as one transaction.
    BalanceChange change;
    if (!change.Begin(store, after, JournalChange::Replace, oldMark, kept.mark, note)) {
        return false;
    }
    // The old file stays as undo's copy; without one this change cannot be undone.
    const bool keptForUndo = KeepJournalForUndo(journal);
    if (!replacement.commit()) {
        const int reason = errno;
        change.Abandon();
        platform::DeleteFile(UndoCopyPath(journal.path()));
        platform::ReportFailure(operation, journal.path(), reason);
        return false;
    }
    const int32_t balanceChange = SatSub(after.flexBalance, store.settings.flexBalance);
    const platform::FileIdentity old = writer.identity();
    store.settings = after;
    change.Complete(store);
    undoRecorded =
        keptForUndo && RecordUndo(journal, UndoKind::Replace, 0, kept.mark, balanceChange, note,
                                  {old.device, old.inode, old.size, kept.wholeHash});
    return true;
}

}  // namespace tallimer
