#include "operations/undo_record.h"

#include <QList>
#include <climits>

namespace tallimer {

namespace {

constexpr int kRecordLines = 10;
constexpr int kDaysRecordLines = 12;
constexpr QLatin1StringView kDateFormat("yyyy/MM/dd");

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

const char* KindText(UndoKind kind) {
    switch (kind) {
        case UndoKind::Append:
            return "append";
        case UndoKind::Replace:
            return "replace";
        case UndoKind::Days:
            return "days";
    }
    return "";
}

}  // namespace

QByteArray FormatUndoRecord(const UndoRecord& record) {
    QByteArray text;
    text += QByteArray(KindText(record.kind)) + '\n';
    text += QByteArray::number(record.cutLength) + '\n';
    text += QByteArray::number(record.after.content.length) + '\n';
    text += QByteArray::number(record.after.inode) + '\n';
    text += record.after.content.tailHash.toHex() + '\n';
    text += QByteArray::number(record.balanceChange) + '\n';
    text += QByteArray::number(record.copy.device) + '\n';
    text += QByteArray::number(record.copy.inode) + '\n';
    text += QByteArray::number(record.copy.size) + '\n';
    text += record.copy.hash.toHex() + '\n';
    if (record.kind == UndoKind::Days) {
        text += QByteArray::number(record.daysAfter.length) + '\n';
        text += record.daysAfter.tailHash.toHex() + '\n';
    }
    if (record.from.isValid()) {
        text += record.from.toString(kDateFormat).toLatin1() + ' ' +
                record.to.toString(kDateFormat).toLatin1();
        if (record.reason) {
            const std::string_view name = LedgerReasonName(*record.reason);
            text += ' ' + QByteArray(name.data(), qsizetype(name.size()));
        }
        text += '\n';
    }
    return text;
}

std::optional<UndoRecord> ParseUndoRecord(std::string_view bytes) {
    const QList<QByteArray> lines = QByteArray(bytes.data(), qsizetype(bytes.size())).split('\n');
    const bool days = !lines.isEmpty() && lines[0] == KindText(UndoKind::Days);
    if (lines.size() < (days ? kDaysRecordLines : kRecordLines) ||
        (lines[0] != KindText(UndoKind::Append) && lines[0] != KindText(UndoKind::Replace) &&
         !days)) {
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
    const bool replace = lines[0] == KindText(UndoKind::Replace);
    const auto daysLength = days ? ParseNumber(lines[10]) : std::optional<long long>(0);
    const QByteArray daysHash = days ? QByteArray::fromHex(lines[11]) : QByteArray();
    if (!cut || !length || !inode || hash.size() != 32 || !balance || *length < 0 ||
        *balance < INT32_MIN || *balance > INT32_MAX || !copyDevice || !copyInode || !copySize ||
        ((replace || days) && (*copySize < 0 || copyHash.size() != 32)) || !daysLength ||
        (days && (*daysLength < 0 || daysHash.size() != 32))) {
        return std::nullopt;
    }
    UndoRecord record;
    record.kind = days ? UndoKind::Days : replace ? UndoKind::Replace : UndoKind::Append;
    record.daysAfter = {*daysLength, daysHash};
    record.cutLength = *cut;
    record.after = {{*length, hash}, *inode};
    record.balanceChange = static_cast<int32_t>(*balance);
    record.copy = {*copyDevice, *copyInode, *copySize, copyHash};
    // The days concerned come last and may be missing.
    const qsizetype daysAt = days ? kDaysRecordLines : kRecordLines;
    if (lines.size() > daysAt) {
        // Then, from this build on, the change's reason.
        const QList<QByteArray> dates = lines[daysAt].split(' ');
        if (dates.size() == 2 || dates.size() == 3) {
            record.from = QDate::fromString(QString::fromLatin1(dates[0]), kDateFormat);
            record.to = QDate::fromString(QString::fromLatin1(dates[1]), kDateFormat);
        }
        if (!record.from.isValid() || !record.to.isValid()) {
            record.from = record.to = QDate();
        } else if (dates.size() == 3) {
            record.reason = LedgerReasonNamed(dates[2].toStdString());
        }
    }
    return record;
}

}  // namespace tallimer
