#include "platform/holiday_calendar.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace tallimer::platform {
namespace {

class HolidayCalendarTest : public ::testing::Test {
  protected:
    QString write(const QString& name, const std::string& bytes) {
        const QString path = dir_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), qint64(bytes.size()));
        return path;
    }
    QString path(const QString& name) const { return dir_.filePath(name); }

  private:
    QTemporaryDir dir_;
};

using Dated = std::vector<std::pair<QDate, QString>>;

Dated DatesOf(const HolidayRead& read) {
    Dated dated;
    for (const Holiday& holiday : read.holidays) {
        dated.emplace_back(holiday.date, holiday.name);
    }
    return dated;
}

std::string Calendar(const std::string& events) {
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\n" + events +
           "END:VCALENDAR\r\n";
}

TEST_F(HolidayCalendarTest, AllDayEventsGiveTheirDaysSortedOnceAndRulesRecurInTheFilesYears) {
    // Out of order; a timed event; a date given twice; a rule that starts before the file's
    // year, which is expanded for 2025 alone.
    const QString file = write("holidays.ics", Calendar(R"(BEGIN:VEVENT
UID:1
DTSTART;VALUE=DATE:20251225
DTEND;VALUE=DATE:20251227
SUMMARY:Christmas
END:VEVENT
BEGIN:VEVENT
UID:2
DTSTART;VALUE=DATE:20250501
SUMMARY:F)"
                                                        "\u00ea"
                                                        R"(te du Travail
END:VEVENT
BEGIN:VEVENT
UID:3
DTSTART:20250310T090000Z
DTEND:20250310T100000Z
SUMMARY:Meeting
END:VEVENT
BEGIN:VEVENT
UID:4
DTSTART;VALUE=DATE:20241003
RRULE:FREQ=YEARLY
SUMMARY:Unity Day
END:VEVENT
BEGIN:VEVENT
UID:5
DTSTART;VALUE=DATE:20250101
DTEND;VALUE=DATE:20250102
SUMMARY:New Year
END:VEVENT
BEGIN:VEVENT
UID:6
DTSTART;VALUE=DATE:20250101
SUMMARY:New Year again
END:VEVENT
)"));
    const HolidayRead read = ReadHolidayCalendar(file);
    EXPECT_EQ(read.error, QString());
    EXPECT_EQ(DatesOf(read), (Dated{{QDate(2025, 1, 1), "New Year"},
                                    {QDate(2025, 5, 1), QString::fromUtf8("F\u00eate du Travail")},
                                    {QDate(2025, 10, 3), "Unity Day"},
                                    {QDate(2025, 12, 25), "Christmas"},
                                    {QDate(2025, 12, 26), "Christmas"}}));

    // Rules alone: the first start's year and the next, less an EXDATE; no SUMMARY, no name.
    const QString rules = write("rules.ics", Calendar(R"(BEGIN:VEVENT
DTSTART;VALUE=DATE:20300101
RRULE:FREQ=YEARLY
END:VEVENT
BEGIN:VEVENT
DTSTART;VALUE=DATE:20300704
RRULE:FREQ=YEARLY
EXDATE;VALUE=DATE:20310704
SUMMARY:Late
END:VEVENT
)"));
    EXPECT_EQ(
        DatesOf(ReadHolidayCalendar(rules)),
        (Dated{{QDate(2030, 1, 1), ""}, {QDate(2030, 7, 4), "Late"}, {QDate(2031, 1, 1), ""}}));
}

TEST_F(HolidayCalendarTest, WhatCannotBeReadAsACalendarGivesAnErrorNamingTheFile) {
    const auto expectError = [](const QString& file, const QString& reason) {
        const HolidayRead read = ReadHolidayCalendar(file);
        EXPECT_EQ(read.error, file + ": " + reason);
        EXPECT_TRUE(read.holidays.empty());
    };
    expectError(write("notes.ics", "Holidays: 1 January, 25 December\n"), "not an iCalendar file");
    expectError(write("cut.ics", "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART;VALUE=DATE:2025"),
                "not an iCalendar file");
    // An event alone is a component, but no calendar.
    expectError(write("event.ics",
                      "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20251225\r\n"
                      "SUMMARY:Christmas\r\nEND:VEVENT\r\n"),
                "not an iCalendar file");
    expectError(path("missing.ics"), QString::fromLocal8Bit(std::strerror(ENOENT)));

    // Neither a FIFO nor a huge file is read.
    const QString fifo = path("fifo.ics");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    expectError(fifo, "not a regular file");
    QFile huge(write("huge.ics", Calendar("")));
    ASSERT_TRUE(huge.resize(16LL * 1024 * 1024 + 1));
    expectError(huge.fileName(), "larger than 16 MiB");

    // A daily rule over the centuries that the dated events span.
    expectError(write("daily.ics", Calendar(R"(BEGIN:VEVENT
DTSTART;VALUE=DATE:19000101
END:VEVENT
BEGIN:VEVENT
DTSTART;VALUE=DATE:25000101
END:VEVENT
BEGIN:VEVENT
DTSTART;VALUE=DATE:19000101
RRULE:FREQ=DAILY
END:VEVENT
)")),
                "more days than a holiday calendar holds");
}

}  // namespace
}  // namespace tallimer::platform
