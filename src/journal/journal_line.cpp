#include "journal/journal_line.h"

#include <cstring>

#include "base/leading_integer.h"
#include "base/saturating.h"
#include "platform/code_page.h"
#include "resources/string_table.h"

namespace tallimer {

namespace {
constexpr size_t kMonthKeyLength = 7;
// The handheld's project buffer held 80 characters with the terminating NUL.
constexpr qsizetype kProjectLimit = 79;
}  // namespace

std::string_view CutLine(std::string_view bytesBeforeLf, bool mayHoldNul) {
    if (!bytesBeforeLf.empty()) {
        bytesBeforeLf.remove_suffix(1);
    }
    if (!mayHoldNul) {
        return bytesBeforeLf;
    }
    // The line is a C string on the handheld: a NUL byte ends it.
    const void* nul = std::memchr(bytesBeforeLf.data(), '\0', bytesBeforeLf.size());
    if (nul != nullptr) {
        bytesBeforeLf =
            bytesBeforeLf.substr(0, static_cast<const char*>(nul) - bytesBeforeLf.data());
    }
    return bytesBeforeLf;
}

QString SelectedDateText(QDate date) {
    return QString::asprintf("%d/%02d/%02d", date.year(), date.month(), date.day());
}

QByteArray DateKey(QStringView selectedDateText) {
    return platform::ToCodePage(selectedDateText).left(10);
}

QByteArray MonthKey(const QByteArray& dateKey) {
    return dateKey.left(kMonthKeyLength);
}

int32_t IntegerAt(std::string_view line, size_t column) {
    if (column >= line.size()) {
        return 0;
    }
    return LeadingInteger(line.substr(column));
}

int32_t EntryTime(std::string_view line) {
    return SatAdd(SatMul(IntegerAt(line, JournalColumn::Hour), 60),
                  IntegerAt(line, JournalColumn::Minute));
}

bool IsStopLine(std::string_view line) {
    return line.size() > JournalColumn::Kind && line[JournalColumn::Kind] == '\t';
}

std::string_view ProjectBytes(std::string_view line) {
    return line.size() > JournalColumn::Project ? line.substr(JournalColumn::Project)
                                                : std::string_view();
}

QString LimitedProject(QStringView projectText) {
    qsizetype end = 0;
    for (qsizetype kept = 0; kept < kProjectLimit && end < projectText.size(); ++kept) {
        const bool pair = projectText[end].isHighSurrogate() && end + 1 < projectText.size() &&
                          projectText[end + 1].isLowSurrogate();
        end += pair ? 2 : 1;
    }
    return projectText.left(end).toString();
}

QByteArray FormatEntryLine(QDate date, QStringView hourText, QStringView minuteText,
                           QStringView projectText, bool stop) {
    const QString line =
        QString::asprintf(LoadString(StringId::EntryLineFormat).toUtf8().constData(), date.year(),
                          date.month(), date.day(), hourText.toUtf8().constData(),
                          minuteText.toUtf8().constData(), projectText.toUtf8().constData());
    QByteArray bytes = line.toUtf8();
    if (stop && bytes.size() > qsizetype(JournalColumn::Kind)) {
        bytes[JournalColumn::Kind] = '\t';
    }
    return bytes;
}

QByteArray JournalHeaderLine() {
    return LoadString(StringId::JournalHeader).toUtf8();
}

}  // namespace tallimer
