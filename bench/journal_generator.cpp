#include "journal_generator.h"

#include <QDate>
#include <cstdio>

namespace tallimer::bench {

namespace {

const char* const kProjects[] = {"Alpha",         "Beta", "Meeting", "Support",
                                 "Gamma release", "",     "Travel",  "Review"};

}  // namespace

// Days with a morning and an afternoon period, a handful of projects, as a year of use gives.
// With `oneMonth` every line falls in June 2001 (days 1 to 28), so every line is a month line
// of the report.
std::string GenerateJournal(int lines, bool oneMonth) {
    std::string journal = "Date       Time \tComment\r\n";
    QDate date(2000, 1, 3);
    const int times[] = {8 * 60, 12 * 60, 12 * 60 + 30, 17 * 60 + 5};
    for (int i = 0; i < lines; ++i) {
        const int k = i % 4;
        if (k == 0 && i > 0) {
            date = oneMonth ? QDate(2001, 6, 1 + (i / 4) % 28) : date.addDays(1);
        }
        char line[128];
        const int t = times[k];
        std::snprintf(line, sizeof line, "%d/%02d/%02d%c%02d:%02d\t%s\r\n", date.year(),
                      date.month(), date.day(), k % 2 == 1 ? '\t' : ' ', t / 60, t % 60,
                      kProjects[(i / 2) % 8]);
        journal += line;
    }
    return journal;
}

std::string GenerateWorkingYears(int lines, int linesPerDay) {
    std::string journal = "Date       Time \tComment\r\n";
    journal.reserve(size_t(lines) * 30);
    QDate date(2016, 1, 4);
    for (int i = 0; i < lines; ++i) {
        const int k = i % linesPerDay;
        if (k == 0 && i > 0) {
            date = date.addDays(date.dayOfWeek() == 5 ? 3 : 1);
        }
        // From 07:00, periods of ten minutes two minutes apart.
        const int t = 7 * 60 + (k / 2) * 12 + (k % 2) * 10;
        char line[128];
        std::snprintf(line, sizeof line, "%d/%02d/%02d%c%02d:%02d\t%s\r\n", date.year(),
                      date.month(), date.day(), k % 2 == 1 ? '\t' : ' ', t / 60 % 24, t % 60,
                      kProjects[(i / 2) % 8]);
        journal += line;
    }
    return journal;
}

}  // namespace tallimer::bench
