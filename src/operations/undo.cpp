#include "operations/undo.h"

#include <QCryptographicHash>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <functional>

#include "accounting/balance.h"
#include "base/saturating.h"
#include "journal/journal_line.h"
#include "journal/line_reader.h"
#include "operations/days_file.h"
#include "platform/clock.h"
#include "platform/device_folder.h"
#include "platform/diagnostics.h"
#include "platform/file_identity.h"
#include "platform/own_file.h"
#include "resources/string_table.h"

namespace tallimer {

namespace {
constexpr char kOperation[] = "undo";
constexpr long long kRecordLimit = 1024;
// The most one Save appends: a new journal's header and one entry line, with room.
constexpr long long kMostAppended = 1024;
// A days file is read whole; its kept copy is no larger than the largest one read.
constexpr long long kLargestDaysCopy = 4LL << 20;
// A change of days off books any number of days, each at most a day's minutes twice over.
constexpr int64_t kMostDaysBalanceChange = int64_t{366} * 2 * 24 * 60;

void DropRecord(const QString& journalPath) {
    platform::DeleteFile(UndoRecordPath(journalPath));
    platform::DeleteFile(UndoCopyPath(journalPath));
}

// Forgets a change whose record or copy is not what the change left; one line says why.
void DropForeign(const QString& journalPath, const QString& file, int reason) {
    platform::ReportHostFailure(kOperation, platform::HostPath(file),
                                platform::SystemReason(reason) + QStringLiteral("; not undone"));
    DropRecord(journalPath);
}

std::optional<UndoRecord> ReadRecord(const QString& journalPath) {
    std::string bytes;
    const QString path = UndoRecordPath(journalPath);
    switch (platform::ReadOwnFile(platform::HostPath(path), kRecordLimit, bytes)) {
        case platform::OwnRead::Read:
            break;
        case platform::OwnRead::Missing:
            return std::nullopt;
        case platform::OwnRead::Foreign:
            DropForeign(journalPath, path, errno);
            return std::nullopt;
        case platform::OwnRead::Failed:
            platform::ReportFailure(kOperation, path);
            return std::nullopt;
    }
    std::optional<UndoRecord> record = ParseUndoRecord(bytes);
    if (!record) {
        DropForeign(journalPath, path, platform::kForeignContent);
    }
    return record;
}

// Whether an append record cuts exactly the one line that a Save added (or, for a journal the
// save created, removes no more than a header and that line), and moves the balance by what a
// day can. `tail` holds the journal's last bytes, kMostAppended more than a mark's.
bool CutsOneSave(const UndoRecord& record, std::string_view tail, const Settings& settings) {
    if (!IsOneDaysBalanceChange(record.balanceChange, settings)) {
        return false;
    }
    const long long end = record.after.content.length;
    const long long start = std::max(0LL, record.cutLength);
    if (record.cutLength < -1 || start >= end || end - start > kMostAppended) {
        return false;
    }
    const std::string_view cut = tail.substr(tail.size() - size_t(end - start));
    const auto lineEnds = std::count(cut.begin(), cut.end(), '\n');
    return cut.back() == '\n' && lineEnds <= (record.cutLength < 0 ? 2 : 1);
}

// The kept old journal, opened and checked against the record: the same file, unfollowed,
// with one link and this user's.
platform::File OpenKeptCopy(const UndoRecord& record, const QString& journalPath) {
    const QString path = UndoCopyPath(journalPath);
    platform::File copy = platform::File::OpenOwn(platform::HostPath(path));
    if (!copy.isOpen()) {
        if (errno == ENOENT) {
            DropRecord(journalPath);  // a record of a copy that is gone
        } else {
            DropForeign(journalPath, path, errno);
        }
        return {};
    }
    const platform::FileIdentity identity = copy.identity();
    if (identity.device != record.copy.device || identity.inode != record.copy.inode ||
        identity.size != record.copy.size) {
        DropForeign(journalPath, path, platform::kForeignContent);
        return {};
    }
    return copy;
}

// Writes the kept copy's content to `out`, checking it against the record's hash, and hands
// its lines to `restoredLine`; the mark of the content it brings back, or nullopt.
std::optional<JournalMark> CopyBack(platform::File& copy, platform::File& out,
                                    const QByteArray& hash, bool& matches,
                                    const LineVisitor& restoredLine) {
    QCryptographicHash sha(QCryptographicHash::Sha256);
    RunningMark written;
    bool failed = false;
    LineReader lines([&](char* buffer, long long maxBytes) -> long long {
        const long long got = copy.read(buffer, maxBytes);
        const std::string_view piece(buffer, size_t(std::max(got, 0LL)));
        if (got < 0 || (got > 0 && !out.write(piece))) {
            failed = true;
            return -1;
        }
        sha.addData(QByteArrayView(piece.data(), qsizetype(piece.size())));
        written.Add(piece);
        return got;
    });
    std::string_view bytesBeforeLf;
    while (lines.Next(bytesBeforeLf)) {
        if (restoredLine) {
            restoredLine(CutLine(bytesBeforeLf));
        }
    }
    if (failed) {
        return std::nullopt;
    }
    matches = sha.result() == hash;
    return written.mark();
}

// Moves journal (or days file) and balance back as one transaction, always through an intent,
// so a crash between the file and settings heals at the next start. `putBack` changes the
// file; `kind` says which file the marks are of.
UndoOutcome PutBack(SettingsStore& store, const UndoRecord& record, const Settings& after,
                    const JournalMark& now, const JournalMark& before,
                    const std::function<bool()>& putBack,
                    JournalChange kind = JournalChange::Replace) {
    BalanceChange change;
    // A record from before the ledger names no days: the undo's own.
    const QDate today = platform::LocalNow().date();
    const LedgerNote note{LedgerReason::Undo, record.from.isValid() ? record.from : today,
                          record.from.isValid() ? record.to : today};
    if (!change.Begin(store, after, kind, now, before, note)) {
        return UndoOutcome::DatabaseError;  // reported by the intent's write
    }
    if (!putBack()) {
        const int reason = errno;
        change.Abandon();
        platform::ReportFailure(kOperation, store.journalPath, reason);
        return UndoOutcome::DatabaseError;
    }
    DropRecord(store.journalPath);
    store.settings = after;
    return change.Complete(store) ? UndoOutcome::Undone : UndoOutcome::UndoneBalanceNotSaved;
}

// Undo of a Remove: the kept copy's checked bytes become the journal again, through a new file
// renamed over it, so nothing but what was kept can take the journal's place.
UndoOutcome UndoReplace(SettingsStore& store, const UndoRecord& record, Journal::Writer& journal,
                        const UndoMark& now, const Settings& after,
                        const LineVisitor& restoredLine) {
    const QString& path = store.journalPath;
    platform::File copy = OpenKeptCopy(record, path);
    if (!copy.isOpen()) {
        return UndoOutcome::NothingToUndo;
    }
    platform::Replacement replacement = journal.replacement();
    bool matches = false;
    // The lines come back with the balance that goes with them, as a reader of them would take
    // them; until they are the journal's again, the settings are as they were.
    const Settings current = store.settings;
    store.settings = after;
    const std::optional<JournalMark> before =
        replacement.isOpen()
            ? CopyBack(copy, replacement.file(), record.copy.hash, matches, restoredLine)
            : std::nullopt;
    store.settings = current;
    if (!before) {
        platform::ReportFailure(kOperation, path);
        return UndoOutcome::DatabaseError;
    }
    if (!matches) {
        DropForeign(path, UndoCopyPath(path), platform::kForeignContent);
        return UndoOutcome::NothingToUndo;
    }
    return PutBack(store, record, after, now.content, *before, [&] {
        if (!replacement.commit()) {
            return false;
        }
        journal.close();
        return true;
    });
}

// Undo of a Save: the journal is cut back to its old length, or removed when the save made it.
// `tail` holds the journal's last bytes, the cut ones and a mark's worth before them.
UndoOutcome UndoAppend(const Journal& file, SettingsStore& store, const UndoRecord& record,
                       Journal::Writer& journal, std::string_view tail, const UndoMark& now,
                       const Settings& after) {
    const long long start = std::max(0LL, record.cutLength);
    const JournalMark before =
        MarkOf(tail.substr(0, tail.size() - size_t(now.content.length - start)), start);
    return PutBack(store, record, after, now.content, before, [&] {
        return record.cutLength < 0 ? file.remove() : journal.cutBack(record.cutLength);
    });
}
// Undo of a change of days: the kept old days file, checked against the record, becomes the
// days file again, provided the days file is still as the change left it.
UndoOutcome UndoDays(SettingsStore& store, const UndoRecord& record, const Settings& after) {
    const QString& path = store.journalPath;
    const DaysFileRead now = ReadDaysFile(store.daysFilePath);
    if (now.error != 0 && now.error != ENOENT) {
        return UndoOutcome::DatabaseError;  // reported by the read
    }
    // Changed since, by hand or by a crash between the file and its booked copy.
    const DaysFileRead booked = ReadBookedDays(store.daysFilePath);
    if (DaysMark(now.text) != record.daysAfter || booked.error != 0 ||
        DaysMark(booked.text) != record.daysAfter) {
        return UndoOutcome::DaysChanged;
    }
    const QString copyPath = UndoCopyPath(path);
    std::string old;
    switch (platform::ReadOwnFile(platform::HostPath(copyPath), kLargestDaysCopy, old)) {
        case platform::OwnRead::Read:
            break;
        case platform::OwnRead::Missing:
            DropRecord(path);  // a record of a copy that is gone
            return UndoOutcome::NothingToUndo;
        case platform::OwnRead::Foreign:
            DropForeign(path, copyPath, errno);
            return UndoOutcome::NothingToUndo;
        case platform::OwnRead::Failed:
            platform::ReportFailure(kOperation, copyPath);
            return UndoOutcome::DatabaseError;
    }
    const JournalMark before = DaysMark(old);
    if (before != JournalMark{record.copy.size, record.copy.hash}) {
        DropForeign(path, copyPath, platform::kForeignContent);
        return UndoOutcome::NothingToUndo;
    }
    // The days file first, its booked copy after: a crash between them leaves a change to book.
    return PutBack(
        store, record, after, record.daysAfter, before,
        [&] {
            return WriteDaysFile(store.daysFilePath, old) &&
                   WriteBookedDays(store.daysFilePath, old);
        },
        JournalChange::Days);
}

}  // namespace

QString UndoCopyPath(const QString& journalPath) {
    return journalPath + QStringLiteral(".undo");
}

QString UndoRecordPath(const QString& journalPath) {
    return journalPath + QStringLiteral(".undo-info");
}

bool KeepJournalForUndo(const Journal& journal) {
    const QString& path = journal.path();
    platform::DeleteFile(UndoRecordPath(path));  // the earlier change's, void from now
    if (journal.linkTo(UndoCopyPath(path))) {
        return true;
    }
    platform::ReportFailure(kOperation, UndoCopyPath(path));
    return false;
}

std::optional<UndoCopy> KeepDaysForUndo(const Journal& journal, std::string_view text) {
    const QString& path = journal.path();
    platform::DeleteFile(UndoRecordPath(path));  // the earlier change's, void from now
    if (!platform::Replacement::ForOwnFile(platform::HostPath(UndoCopyPath(path)))
             .commitWith(text)) {
        platform::ReportFailure(kOperation, UndoCopyPath(path));
        DropRecord(path);
        return std::nullopt;
    }
    const JournalMark mark = DaysMark(text);
    return UndoCopy{0, 0, mark.length, mark.tailHash};
}

bool RecordUndo(const Journal& journal, UndoKind kind, long long cutLength,
                const JournalMark& after, int32_t balanceChange, const LedgerNote& concerns,
                const UndoCopy& copy, const JournalMark& daysAfter) {
    const QString& path = journal.path();
    if (kind == UndoKind::Append) {
        platform::DeleteFile(UndoCopyPath(path));  // an earlier Remove's
    }
    const UndoMark mark{after, journal.identity().inode};
    const QByteArray text =
        FormatUndoRecord({kind, cutLength, mark, balanceChange, copy, daysAfter, concerns.from,
                          concerns.to.isValid() ? concerns.to : concerns.from, concerns.reason});
    if (!platform::Replacement::ForOwnFile(platform::HostPath(UndoRecordPath(path)))
             .commitWith(std::string_view(text.constData(), size_t(text.size())))) {
        platform::ReportFailure(kOperation, UndoRecordPath(path));
        DropRecord(path);
        return false;
    }
    return true;
}

bool CanUndo(const Journal& journal, const JournalMark& now) {
    const std::optional<UndoRecord> record = ReadRecord(journal.path());
    return record && record->after == UndoMark{now, journal.identity().inode};
}

UndoOutcome UndoLastChange(const Journal& file, SettingsStore& store, DayState& day,
                           const LineVisitor& restoredLine,
                           const std::function<void()>& daysRestored, UndoneChange* undone) {
    const QString& path = file.path();
    const std::optional<UndoRecord> record = ReadRecord(path);
    if (!record) {
        return UndoOutcome::NothingToUndo;
    }
    // Held locked until journal and balance are back, so no other writer comes in between.
    Journal::Writer journal = file.openExisting();
    if (!journal.isOpen()) {
        if (errno == ENOENT) {
            return UndoOutcome::JournalGone;
        }
        platform::ReportFailure(kOperation, path);
        return UndoOutcome::DatabaseError;
    }
    // The journal's last bytes, read once: its mark now, the cut and the mark before it.
    const long long end = journal.length();
    const std::optional<std::string> tail = journal.tail(end, kMarkWindow + kMostAppended);
    if (!tail || UndoMark{MarkOf(*tail, end), file.identity().inode} != record->after) {
        return UndoOutcome::JournalChanged;
    }
    const bool plausible = record->kind == UndoKind::Days
                               ? std::abs(int64_t(record->balanceChange)) <= kMostDaysBalanceChange
                           : record->kind == UndoKind::Replace
                               ? IsOneDaysBalanceChange(record->balanceChange, store.settings)
                               : CutsOneSave(*record, *tail, store.settings);
    if (!plausible) {
        DropForeign(path, UndoRecordPath(path), platform::kForeignContent);
        return UndoOutcome::NothingToUndo;
    }

    Settings after = store.settings;
    after.flexBalance = SatSub(after.flexBalance, record->balanceChange);
    const UndoOutcome outcome =
        record->kind == UndoKind::Days ? UndoDays(store, *record, after)
        : record->kind == UndoKind::Replace
            ? UndoReplace(store, *record, journal, record->after, after, restoredLine)
            : UndoAppend(file, store, *record, journal, *tail, record->after, after);
    const bool tookBack =
        outcome == UndoOutcome::Undone || outcome == UndoOutcome::UndoneBalanceNotSaved;
    if (tookBack && undone != nullptr) {
        *undone = {record->kind, record->reason, record->from, record->to, {}};
        if (record->kind == UndoKind::Append) {
            // The cut bytes end with the saved line (after the header, where the save made the
            // journal).
            std::string_view cut = std::string_view(*tail).substr(
                tail->size() - size_t(end - std::max(0LL, record->cutLength)));
            cut.remove_suffix(1);  // its LF
            if (const size_t lineEnd = cut.rfind('\n'); lineEnd != std::string_view::npos) {
                cut.remove_prefix(lineEnd + 1);
            }
            undone->line = std::string(CutLine(cut));
        }
    }
    if (tookBack && record->kind == UndoKind::Days) {
        if (daysRestored) {
            daysRestored();
        }
        if (restoredLine) {
            journal.readLines(kOperation, restoredLine);  // the same lines under the old terms
        }
        return outcome;
    }
    if (tookBack && record->cutLength < 0 && record->kind == UndoKind::Append) {
        // No journal: a rescan keeps what it had, so the day is emptied here; its terms stay.
        day.entryCount = day.lastStart = day.periodOpen = day.presence = 0;
        day.credit = day.emptyCredit;
    } else if (tookBack && record->kind == UndoKind::Append && restoredLine) {
        journal.readLines(kOperation, restoredLine);  // still alone with it
    }
    return outcome;
}

void ForgetUndo(const Journal& journal) {
    DropRecord(journal.path());
}

}  // namespace tallimer
