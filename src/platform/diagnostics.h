#pragma once

#include <QLoggingCategory>
#include <QString>
#include <QStringView>
#include <cerrno>

namespace tallimer::platform {

// File and settings failures, one line each on standard error: the message boxes say only
// "Error with database access", and some settings failures show nothing at all. On for
// warnings; QT_LOGGING_RULES="tallimer.storage=false" turns it off.
Q_DECLARE_LOGGING_CATEGORY(lcStorage)

// Writes "operation: host path: reason" for a handheld path; `error` is the errno of the step
// that failed (taken at the call, so pass it saved when clean-up ran in between).
void ReportFailure(const char* operation, QStringView handheldPath, int error = errno);
// The same for a host path and a reason in words.
void ReportHostFailure(const char* operation, const QString& hostPath, const QString& reason);

// Reasons of the program's own, beyond the system's, for a file it will not use. They travel
// in errno like the system's, so every report names the file and why in one line.
constexpr int kNotRegularFile = 0x10001;
constexpr int kSymbolicLink = 0x10002;
constexpr int kOtherLinks = 0x10003;
constexpr int kOtherOwner = 0x10004;
constexpr int kForeignContent = 0x10005;
constexpr int kHeldTooLong = 0x10006;

// The system's text for an errno value, or the words for one of the program's own reasons.
QString SystemReason(int error);

}  // namespace tallimer::platform
