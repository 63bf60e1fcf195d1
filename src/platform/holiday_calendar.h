#pragma once

#include <QDate>
#include <QString>
#include <vector>

namespace tallimer::platform {

// One public holiday: a whole day and its name (empty when the calendar gives none).
struct Holiday {
    QDate date;
    QString name;
};

// The holidays of a calendar file, sorted by date, each date once; or, when the file cannot be
// used, `error` names the file and why (empty when it was read).
struct HolidayRead {
    std::vector<Holiday> holidays;
    QString error;
};

// Reads the all-day events of an iCalendar file (RFC 5545) as holidays: one per day an event
// covers, the end date not included, recurring events expanded (see the .cpp for which years).
// Events with a time of day are no holidays and are left out. Only a regular file of at most
// 16 MiB is read, so a FIFO, a device or a huge file cannot hang or exhaust the program.
HolidayRead ReadHolidayCalendar(const QString& hostPath);

}  // namespace tallimer::platform
