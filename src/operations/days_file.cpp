#include "operations/days_file.h"

#include <QCryptographicHash>
#include <cerrno>
#include <string>

#include "platform/device_folder.h"
#include "platform/diagnostics.h"
#include "platform/file.h"
#include "platform/own_file.h"

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

namespace {

// The booked copy is one of the program's own files: read only as a regular file of this
// user's with one link; what stands there instead is removed, and the copy counts as missing.
platform::OwnRead ReadBookedCopy(const QString& daysPath, DaysFileRead& read) {
    const QString path = platform::HostPath(BookedDaysPath(daysPath));
    std::string text;
    platform::OwnRead result = platform::ReadOwnFile(path, kLargestDaysFile, text);
    if (result == platform::OwnRead::Foreign) {
        platform::RemoveForeign(kOperation, path, errno);
        result = platform::OwnRead::Missing;
    } else if (result == platform::OwnRead::Failed) {
        read.error = errno != 0 ? errno : EIO;
        platform::ReportHostFailure(kOperation, path, platform::SystemReason(read.error));
    } else if (result == platform::OwnRead::Read) {
        DaysText parsed = ReadDaysText(text);
        read.text = std::move(text);
        read.book = std::move(parsed.book);
        read.unreadLines = parsed.unreadLines;
    }
    return result;
}

}  // namespace

DaysFileRead ReadBookedDays(const QString& daysPath) {
    DaysFileRead booked;
    return ReadBookedCopy(daysPath, booked) == platform::OwnRead::Missing ? ReadDaysFile(daysPath)
                                                                          : booked;
}

bool WriteBookedDays(const QString& daysPath, std::string_view text) {
    const QString path = platform::HostPath(BookedDaysPath(daysPath));
    if (!platform::Replacement::ForOwnFile(path).commitWith(text)) {
        platform::ReportFailure(kOperation, path);
        return false;
    }
    return true;
}

bool AdoptDaysFile(const QString& daysPath) {
    DaysFileRead booked;
    if (ReadBookedCopy(daysPath, booked) != platform::OwnRead::Missing) {
        return booked.error == 0;
    }
    const DaysFileRead read = ReadDaysFile(daysPath);
    return (read.error == 0 || read.error == ENOENT) && WriteBookedDays(daysPath, read.text);
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
