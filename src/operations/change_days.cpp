#include "operations/change_days.h"

#include <algorithm>
#include <optional>

#include "accounting/day_totals.h"
#include "base/saturating.h"
#include "operations/change_intent.h"
#include "operations/days_file.h"
#include "operations/undo.h"
#include "platform/diagnostics.h"

namespace tallimer {

namespace {

constexpr char kOperation[] = "days";

// The balance change of going from `before` to `after`, from the journal's lines; nullopt
// when the journal could not be read.
std::optional<int64_t> CreditChange(Journal::Writer* journal, const Settings& settings,
                                    const DaysBook& before, const DaysBook& after) {
    const std::optional<ChangedSpan> span = SpanOfChange(before, after);
    if (!span) {
        return 0;
    }
    DayTotals totals(settings, *span);
    if (journal != nullptr &&
        journal->readLines(kOperation, [&totals](std::string_view line) { totals.AddLine(line); })
                .error != 0) {
        return std::nullopt;
    }
    return totals.CreditChange(before, after);
}

}  // namespace

DaysOutcome ChangeDays(const Journal& journal, SettingsStore& store, const DaysEdit& edit,
                       LedgerReason reason) {
    // No journal: only days off count, and no Save can run without creating one first.
    std::optional<Journal::Writer> writer;
    if (journal.exists()) {
        writer.emplace(journal.openExisting());
        if (!writer->isOpen()) {
            platform::ReportFailure(kOperation, journal.path());
            return DaysOutcome::DatabaseError;
        }
    }
    const DaysFileRead read = ReadDaysFile(store.daysFilePath);
    if (read.error != 0 && read.error != ENOENT) {
        return DaysOutcome::DatabaseError;
    }
    // What the balance holds: a change made by hand since is booked along with this one.
    const DaysFileRead booked = ReadBookedDays(store.daysFilePath);
    if (booked.error != 0 && booked.error != ENOENT) {
        return DaysOutcome::DatabaseError;
    }
    DaysBook book = read.book;
    edit(book);
    // A file the edit leaves alone keeps its own text, as a person wrote it.
    const std::string text = book == read.book ? read.text : DaysTextOf(book);
    if (text == booked.text && text == read.text) {
        return DaysOutcome::Unchanged;
    }
    const std::optional<int64_t> change =
        CreditChange(writer ? &*writer : nullptr, store.settings, booked.book, book);
    if (!change) {
        return DaysOutcome::DatabaseError;
    }
    Settings after = store.settings;
    after.flexBalance =
        int32_t(std::clamp<int64_t>(int64_t(after.flexBalance) + *change, INT32_MIN, INT32_MAX));
    // What undo takes back: the change as booked, after the clamp.
    const auto undone = int32_t(std::clamp<int64_t>(
        int64_t(after.flexBalance) - store.settings.flexBalance, INT32_MIN, INT32_MAX));
    // The days whose terms changed; a week plan's holds on without an end.
    const std::optional<ChangedSpan> span = SpanOfChange(booked.book, book);
    LedgerNote note{reason, {}, {}};
    if (span) {
        note.from = span->first;
        note.to = span->last.isValid() ? span->last : span->first;
    }
    BalanceChange balance;
    if (!balance.Begin(store, after, JournalChange::Days, DaysMark(booked.text), DaysMark(text),
                       note)) {
        return DaysOutcome::DatabaseError;
    }
    // The old book is kept so the change can be undone; the journal's own undo is void from
    // now, as its booking was made under the old terms. Without a journal there is no undo.
    const std::optional<UndoCopy> kept =
        writer ? KeepDaysForUndo(journal, booked.text) : std::nullopt;
    // The days file first: a crash before the booked copy follows leaves the change to book.
    if ((text != read.text && !WriteDaysFile(store.daysFilePath, text)) ||
        !WriteBookedDays(store.daysFilePath, text)) {
        balance.Abandon();
        ForgetUndo(journal);
        return DaysOutcome::DatabaseError;
    }
    store.settings = after;
    const bool saved = balance.Complete(store);
    if (kept) {
        const long long end = writer->length();
        const std::optional<std::string> tail = writer->tail(end);
        if (tail) {
            RecordUndo(journal, UndoKind::Days, 0, MarkOf(*tail, end), undone, note, *kept,
                       DaysMark(text));
        }
    }
    return saved ? DaysOutcome::Changed : DaysOutcome::ChangedBalanceNotSaved;
}

}  // namespace tallimer
