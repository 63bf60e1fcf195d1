#include "operations/undo.h"

#include <QList>
#include <cerrno>
#include <climits>

#include "base/saturating.h"
#include "platform/diagnostics.h"
#include "platform/file_identity.h"
#include "resources/string_table.h"

namespace tallimer {

namespace {
constexpr char kOperation[] = "undo";
constexpr long long kRecordLimit = 1024;

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

// The open journal as it is now.
std::optional<UndoMark> MarkNow(platform::File& journal, const QString& journalPath) {
    const std::optional<JournalMark> content = MarkAt(journal, journal.seekToEnd());
    if (!content) {
        return std::nullopt;
    }
    return UndoMark{*content, platform::IdentifyFile(journalPath).inode};
}

std::optional<UndoRecord> ReadRecord(const QString& journalPath) {
    platform::File file =
        platform::File::OpenExisting(UndoRecordPath(journalPath), platform::File::Access::Read);
    std::string bytes(size_t(kRecordLimit), '\0');
    const long long got = file.isOpen() ? file.read(bytes.data(), kRecordLimit) : -1;
    if (got < 0) {
        return std::nullopt;
    }
    bytes.resize(size_t(got));
    return ParseUndoRecord(bytes);
}

void DropRecord(const QString& journalPath) {
    platform::DeleteFile(UndoRecordPath(journalPath));
    platform::DeleteFile(UndoCopyPath(journalPath));
}

// The content undo brings back; nullopt when it cannot be read. A journal the change
// created comes back as no file: its mark is that of an empty one.
std::optional<JournalMark> MarkBefore(const UndoRecord& record, platform::File& journal,
                                      const QString& journalPath) {
    if (record.kind == UndoKind::Replace) {
        platform::File copy =
            platform::File::OpenExisting(UndoCopyPath(journalPath), platform::File::Access::Read);
        return copy.isOpen() ? MarkAt(copy, copy.seekToEnd()) : std::nullopt;
    }
    return MarkAt(journal, std::max(0LL, record.cutLength));
}

bool PutBack(const UndoRecord& record, platform::File& journal, const QString& journalPath) {
    if (record.kind == UndoKind::Replace) {
        return platform::RestoreFile(UndoCopyPath(journalPath), journalPath);
    }
    if (record.cutLength < 0) {
        return platform::DeleteFile(journalPath);
    }
    return journal.truncate(record.cutLength) && journal.flush();
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
    return text;
}

std::optional<UndoRecord> ParseUndoRecord(std::string_view bytes) {
    const QList<QByteArray> lines = QByteArray(bytes.data(), qsizetype(bytes.size())).split('\n');
    if (lines.size() < 6 || (lines[0] != "append" && lines[0] != "replace")) {
        return std::nullopt;
    }
    const auto cut = ParseNumber(lines[1]);
    const auto length = ParseNumber(lines[2]);
    bool inodeOk = false;
    const unsigned long long inode = lines[3].toULongLong(&inodeOk);
    const QByteArray hash = QByteArray::fromHex(lines[4]);
    const auto balance = ParseNumber(lines[5]);
    if (!cut || !length || !inodeOk || hash.size() != 32 || !balance || *length < 0 ||
        *balance < INT32_MIN || *balance > INT32_MAX) {
        return std::nullopt;
    }
    UndoRecord record;
    record.kind = lines[0] == "append" ? UndoKind::Append : UndoKind::Replace;
    record.cutLength = *cut;
    record.after = {{*length, hash}, inode};
    record.balanceChange = static_cast<int32_t>(*balance);
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
                const std::optional<JournalMark>& after, int32_t balanceChange) {
    if (kind == UndoKind::Append) {
        platform::DeleteFile(UndoCopyPath(journalPath));  // an earlier Remove's
    }
    const UndoMark mark{after.value_or(JournalMark{}), platform::IdentifyFile(journalPath).inode};
    const QByteArray text = FormatUndoRecord({kind, cutLength, mark, balanceChange});
    if (!after || !platform::Replacement::Beside(UndoRecordPath(journalPath))
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
    if (!record ||
        (record->kind == UndoKind::Replace && !platform::FileExists(UndoCopyPath(path)))) {
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

    Settings after = store.settings;
    after.flexBalance = SatSub(after.flexBalance, record->balanceChange);
    const std::optional<JournalMark> before = MarkBefore(*record, journal, path);
    // Always through an intent, so a crash between journal and settings heals at the next start.
    BalanceChange change;
    if (!before || !change.Begin(store, after, JournalChange::Replace, now->content, *before)) {
        platform::ReportFailure(kOperation, path);
        return Refused(StringId::DatabaseError);
    }
    if (!PutBack(*record, journal, path)) {
        const int reason = errno;
        change.Abandon();
        platform::ReportFailure(kOperation, path, reason);
        return Refused(StringId::DatabaseError);
    }
    DropRecord(path);
    store.settings = after;
    change.Complete(store);
    if (record->cutLength < 0 && record->kind == UndoKind::Append) {
        // No journal: a rescan keeps what it had, so the day is emptied here.
        day = DayState{0, 0, day.selectedDateText, 0, 0, 0};
    }
    UndoResult result;
    result.success = true;
    return result;
}

}  // namespace tallimer
