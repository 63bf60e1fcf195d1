#include "cli/time_cells.h"

#include <cstdlib>

#include "accounting/time_text.h"
#include "journal/journal_line.h"

namespace tallimer {

namespace {

// Writes the decimal digits of `value` into the `count` characters from `at`, zero-padded.
void PutDigits(QChar* at, int value, int count) {
    for (int i = count - 1; i >= 0; --i) {
        at[i] = QChar(u'0' + value % 10);
        value /= 10;
    }
}

// YYYY<sep>MM<sep>DD for the four-digit years every journal date has.
bool SetDate(QString& dest, QDate date, char16_t separator) {
    int year = 0;
    int month = 0;
    int day = 0;
    date.getDate(&year, &month, &day);
    if (year < 1000 || year > 9999) {
        return false;
    }
    dest.resize(10);
    QChar* at = dest.data();
    PutDigits(at, year, 4);
    at[4] = QChar(separator);
    PutDigits(at + 5, month, 2);
    at[7] = QChar(separator);
    PutDigits(at + 8, day, 2);
    return true;
}

}  // namespace

void SetDateText(QString& dest, QDate date) {
    if (!SetDate(dest, date, u'/')) {
        dest = SelectedDateText(date);
    }
}

void SetIsoDateText(QString& dest, QDate date) {
    if (!SetDate(dest, date, u'-')) {
        dest = date.toString(Qt::ISODate);
    }
}

void SetTimeOfDayText(QString& dest, int32_t minutes) {
    if (minutes < 0 || minutes >= 100 * 60) {
        dest = TimeOfDayText(minutes);
        return;
    }
    dest.resize(5);
    QChar* at = dest.data();
    PutDigits(at, minutes / 60, 2);
    at[2] = QChar(u':');
    PutDigits(at + 3, minutes % 60, 2);
}

void SetClockText(QString& dest, int32_t minutes) {
    const int32_t hours = std::abs(minutes / 60);
    if (hours >= 100) {
        FormatSignedTime(dest, minutes);
        return;
    }
    dest.resize(7);
    QChar* at = dest.data();
    at[0] = QChar(minutes < 0 ? u'-' : u'+');
    at[1] = QChar(u' ');
    PutDigits(at + 2, hours, 2);
    at[4] = QChar(u':');
    PutDigits(at + 5, std::abs(minutes % 60), 2);
}

}  // namespace tallimer
