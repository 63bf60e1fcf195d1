#include "operations/undo.h"

#include <QCryptographicHash>
#include <QList>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <functional>

#include "accounting/balance.h"
#include "base/saturating.h"
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
constexpr long long kCopyChunk = 256 * 1024;
constexpr int kRecordLines = 10;

UndoResult Refused(int messageId) {
    UndoResult result;
    result.messageId = messageId;
    return result;
}

std::optional<long long> ParseNumber(const QByteArray& text) {
    bool ok = false;
    const long long value = text.toLongLong(&ok);
    return ok ? std::optional<long long>(value) : std::nullopt;
}

std::optional<unsigned long long> ParseUnsigned(const QByteArray& text) {
    bool ok = false;
    const unsigned long long value = text.toULongLong(&ok);
    return ok ? std::optional<unsigned long long>(value) : std::nullopt;
}

// The open journal as it is now.
std::optional<UndoMark> MarkNow(platform::File& journal, const QString& journalPath) {
    const std::optional<JournalMark> content = MarkAt(journal, journal.seekToEnd());
    if (!content) {
        return std::nullopt;
    }
    return UndoMark{*content, platform::IdentifyFile(journalPath).inode};
}

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
// day can.
bool CutsOneSave(const UndoRecord& record, platform::File& journal, const Settings& settings) {
    if (!IsOneDaysBalanceChange(record.balanceChange, settings)) {
        return false;
    }
    const long long end = record.after.content.length;
    const long long start = std::max(0LL, record.cutLength);
    if (record.cutLength < -1 || start >= end || end - start > kMostAppended) {
        return false;
    }
    const std::optional<std::string> tail = JournalTail(journal, end);
    if (!tail) {
        return false;
    }
    const std::string_view cut = std::string_view(*tail).substr(tail->size() - size_t(end - start));
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

// Writes the kept copy's content to `out`, checking it against the record's hash; the mark of
// the content it brings back, or nullopt.
std::optional<JournalMark> CopyBack(platform::File& copy, platform::File& out,
                                    const QByteArray& hash, bool& matches) {
    QCryptographicHash sha(QCryptographicHash::Sha256);
    std::string buffer(size_t(kCopyChunk), '\0');
    std::string tail;
    long long length = 0;
    for (;;) {
        const long long got = copy.read(buffer.data(), kCopyChunk);
        if (got < 0) {
            return std::nullopt;
        }
        if (got == 0) {
            break;
        }
        const std::string_view piece(buffer.data(), size_t(got));
        sha.addData(QByteArrayView(piece.data(), qsizetype(piece.size())));
        if (!out.write(piece)) {
            return std::nullopt;
        }
        length += got;
        tail.append(piece.substr(piece.size() - std::min<size_t>(piece.size(), kMarkWindow)));
        if (tail.size() > 2 * size_t(kMarkWindow)) {
            tail.erase(0, tail.size() - size_t(kMarkWindow));
        }
    }
    matches = sha.result() == hash;
    return MarkOf(tail, length);
}

// Moves journal and balance back as one transaction, always through an intent, so a crash
// between journal and settings heals at the next start. `putBack` changes the journal.
UndoResult PutBack(SettingsStore& store, const Settings& after, const JournalMark& now,
                   const JournalMark& before, const std::function<bool()>& putBack) {
    BalanceChange change;
    if (!change.Begin(store, after, JournalChange::Replace, now, before)) {
        return Refused(StringId::DatabaseError);  // reported by the intent's write
    }
    if (!putBack()) {
        const int reason = errno;
        change.Abandon();
        platform::ReportFailure(kOperation, store.journalPath, reason);
        return Refused(StringId::DatabaseError);
    }
    DropRecord(store.journalPath);
    store.settings = after;
    UndoResult result;
    result.success = true;
    result.messageId = change.Complete(store) ? 0 : StringId::DatabaseError;
    return result;
}

// Undo of a Remove: the kept copy's checked bytes become the journal again, through a new file
// renamed over it, so nothing but what was kept can take the journal's place.
UndoResult UndoReplace(SettingsStore& store, const UndoRecord& record, const UndoMark& now,
                       const Settings& after) {
    const QString& path = store.journalPath;
    platform::File copy = OpenKeptCopy(record, path);
    if (!copy.isOpen()) {
        return Refused(StringId::NothingToUndo);
    }
    platform::Replacement replacement = platform::Replacement::Beside(path);
    bool matches = false;
    const std::optional<JournalMark> before =
        replacement.isOpen() ? CopyBack(copy, replacement.file(), record.copy.hash, matches)
                             : std::nullopt;
    if (!before) {
        platform::ReportFailure(kOperation, path);
        return Refused(StringId::DatabaseError);
    }
    if (!matches) {
        DropForeign(path, UndoCopyPath(path), platform::kForeignContent);
        return Refused(StringId::NothingToUndo);
    }
    return PutBack(store, after, now.content, *before, [&] { return replacement.commit(); });
}

// Undo of a Save: the journal is cut back to its old length, or removed when the save made it.
UndoResult UndoAppend(SettingsStore& store, const UndoRecord& record, platform::File& journal,
                      const UndoMark& now, const Settings& after) {
    const std::optional<JournalMark> before = MarkAt(journal, std::max(0LL, record.cutLength));
    if (!before) {
        platform::ReportFailure(kOperation, store.journalPath);
        return Refused(StringId::DatabaseError);
    }
    return PutBack(store, after, now.content, *before, [&] {
        return record.cutLength < 0 ? platform::DeleteFile(store.journalPath)
                                    : journal.truncate(record.cutLength) && journal.flush();
    });
}
}  // namespace

QString UndoCopyPath(const QString& journalPath) {
    return journalPath + QStringLiteral(".undo");
}

QString UndoRecordPath(const QString& journalPath) {
    return journalPath + QStringLiteral(".undo-info");
}

QByteArray FormatUndoRecord(const UndoRecord& record) {
    QByteArray text;
    text += record.kind == UndoKind::Append ? "append\n" : "replace\n";
    text += QByteArray::number(record.cutLength) + '\n';
    text += QByteArray::number(record.after.content.length) + '\n';
    text += QByteArray::number(record.after.inode) + '\n';
    text += record.after.content.tailHash.toHex() + '\n';
    text += QByteArray::number(record.balanceChange) + '\n';
    text += QByteArray::number(record.copy.device) + '\n';
    text += QByteArray::number(record.copy.inode) + '\n';
    text += QByteArray::number(record.copy.size) + '\n';
    text += record.copy.hash.toHex() + '\n';
    return text;
}

std::optional<UndoRecord> ParseUndoRecord(std::string_view bytes) {
    const QList<QByteArray> lines = QByteArray(bytes.data(), qsizetype(bytes.size())).split('\n');
    if (lines.size() < kRecordLines || (lines[0] != "append" && lines[0] != "replace")) {
        return std::nullopt;
    }
    const auto cut = ParseNumber(lines[1]);
    const auto length = ParseNumber(lines[2]);
    const auto inode = ParseUnsigned(lines[3]);
    const QByteArray hash = QByteArray::fromHex(lines[4]);
    const auto balance = ParseNumber(lines[5]);
    const auto copyDevice = ParseUnsigned(lines[6]);
    const auto copyInode = ParseUnsigned(lines[7]);
    const auto copySize = ParseNumber(lines[8]);
    const QByteArray copyHash = QByteArray::fromHex(lines[9]);
    const bool replace = lines[0] == "replace";
    if (!cut || !length || !inode || hash.size() != 32 || !balance || *length < 0 ||
        *balance < INT32_MIN || *balance > INT32_MAX || !copyDevice || !copyInode || !copySize ||
        (replace && (*copySize < 0 || copyHash.size() != 32))) {
        return std::nullopt;
    }
    UndoRecord record;
    record.kind = replace ? UndoKind::Replace : UndoKind::Append;
    record.cutLength = *cut;
    record.after = {{*length, hash}, *inode};
    record.balanceChange = static_cast<int32_t>(*balance);
    record.copy = {*copyDevice, *copyInode, *copySize, copyHash};
    return record;
}

bool KeepJournalForUndo(const QString& journalPath) {
    platform::DeleteFile(UndoRecordPath(journalPath));  // the earlier change's, void from now
    if (platform::LinkFile(journalPath, UndoCopyPath(journalPath))) {
        return true;
    }
    platform::ReportFailure(kOperation, UndoCopyPath(journalPath));
    return false;
}

void RecordUndo(const QString& journalPath, UndoKind kind, long long cutLength,
                const std::optional<JournalMark>& after, int32_t balanceChange,
                const UndoCopy& copy) {
    if (kind == UndoKind::Append) {
        platform::DeleteFile(UndoCopyPath(journalPath));  // an earlier Remove's
    }
    const UndoMark mark{after.value_or(JournalMark{}), platform::IdentifyFile(journalPath).inode};
    const QByteArray text = FormatUndoRecord({kind, cutLength, mark, balanceChange, copy});
    if (!after ||
        !platform::Replacement::ForOwnFile(platform::HostPath(UndoRecordPath(journalPath)))
             .commitWith(std::string_view(text.constData(), size_t(text.size())))) {
        platform::ReportFailure(kOperation, UndoRecordPath(journalPath));
        DropRecord(journalPath);
    }
}

bool CanUndo(const SettingsStore& store) {
    const std::optional<UndoRecord> record = ReadRecord(store.journalPath);
    if (!record) {
        return false;
    }
    platform::File journal =
        platform::File::OpenExisting(store.journalPath, platform::File::Access::Read);
    return journal.isOpen() && MarkNow(journal, store.journalPath) == record->after;
}

UndoResult UndoLastChange(SettingsStore& store, DayState& day) {
    const QString& path = store.journalPath;
    const std::optional<UndoRecord> record = ReadRecord(path);
    if (!record) {
        return Refused(StringId::NothingToUndo);
    }
    // Held locked until journal and balance are back, so no other writer comes in between.
    platform::File journal = platform::File::OpenExisting(path, platform::File::Access::ReadWrite);
    if (!journal.isOpen()) {
        if (errno == ENOENT) {
            return Refused(StringId::UndoJournalGone);
        }
        platform::ReportFailure(kOperation, path);
        return Refused(StringId::DatabaseError);
    }
    const std::optional<UndoMark> now = MarkNow(journal, path);
    if (now != record->after) {
        return Refused(StringId::UndoJournalChanged);
    }
    if (record->kind == UndoKind::Replace
            ? !IsOneDaysBalanceChange(record->balanceChange, store.settings)
            : !CutsOneSave(*record, journal, store.settings)) {
        DropForeign(path, UndoRecordPath(path), platform::kForeignContent);
        return Refused(StringId::NothingToUndo);
    }

    Settings after = store.settings;
    after.flexBalance = SatSub(after.flexBalance, record->balanceChange);
    const UndoResult result = record->kind == UndoKind::Replace
                                  ? UndoReplace(store, *record, *now, after)
                                  : UndoAppend(store, *record, journal, *now, after);
    if (result.success && record->cutLength < 0 && record->kind == UndoKind::Append) {
        // No journal: a rescan keeps what it had, so the day is emptied here.
        day = DayState{0, 0, day.selectedDateText, 0, 0, 0};
    }
    return result;
}

}  // namespace tallimer
