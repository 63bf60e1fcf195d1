#include "operations/days_file.h"

#include <QCryptographicHash>
#include <cerrno>
#include <string>

#include "platform/diagnostics.h"
#include "platform/file.h"

namespace tallimer {

namespace {
constexpr char kOperation[] = "days";
// Ten years of days off and weekly changes take a few tens of kilobytes.
constexpr long long kLargestDaysFile = 4LL << 20;
}  // namespace

DaysFileRead ReadDaysFile(const QString& handheldPath) {
    DaysFileRead read;
    platform::File file = platform::File::OpenExisting(handheldPath, platform::File::Access::Read);
    if (!file.isOpen()) {
        read.error = errno != 0 ? errno : EIO;
        if (read.error != ENOENT) {
            platform::ReportFailure(kOperation, handheldPath, read.error);
        }
        return read;
    }
    std::string text;
    if (file.identity().size > kLargestDaysFile) {
        read.error = EFBIG;
    } else if (!file.readToEnd(text)) {
        read.error = errno != 0 ? errno : EIO;
    }
    if (read.error != 0) {
        platform::ReportFailure(kOperation, handheldPath, read.error);
        return read;
    }
    DaysText parsed = ReadDaysText(text);
    read.text = std::move(text);
    read.book = std::move(parsed.book);
    read.unreadLines = parsed.unreadLines;
    return read;
}

QString BookedDaysPath(const QString& daysPath) {
    return daysPath + QStringLiteral(".booked");
}

DaysFileRead ReadBookedDays(const QString& daysPath) {
    DaysFileRead booked = ReadDaysFile(BookedDaysPath(daysPath));
    return booked.error == ENOENT ? ReadDaysFile(daysPath) : booked;
}

bool AdoptDaysFile(const QString& daysPath) {
    if (ReadDaysFile(BookedDaysPath(daysPath)).error != ENOENT) {
        return true;
    }
    const DaysFileRead read = ReadDaysFile(daysPath);
    return (read.error == 0 || read.error == ENOENT) &&
           WriteDaysFile(BookedDaysPath(daysPath), read.text);
}

JournalMark DaysMark(std::string_view text) {
    return {static_cast<long long>(text.size()),
            QCryptographicHash::hash(QByteArrayView(text.data(), qsizetype(text.size())),
                                     QCryptographicHash::Sha256)};
}

bool WriteDaysFile(const QString& handheldPath, std::string_view text) {
    if (!platform::Replacement::Beside(handheldPath).commitWith(text)) {
        platform::ReportFailure(kOperation, handheldPath);
        return false;
    }
    return true;
}

}  // namespace tallimer
