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

// The system's text for an errno value.
QString SystemReason(int error);

}  // namespace tallimer::platform
