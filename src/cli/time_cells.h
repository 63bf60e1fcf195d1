#pragma once

#include <QDate>
#include <QString>
#include <cstdint>

namespace tallimer {

// The date and time texts of the week and period views, written over `dest`, whose room is
// reused: a view prints one for every record. Each gives exactly the text of the function
// named, which it falls back on outside the common range.

// SelectedDateText: "%d/%02d/%02d".
void SetDateText(QString& dest, QDate date);
// QDate::toString(Qt::ISODate): "YYYY-MM-DD".
void SetIsoDateText(QString& dest, QDate date);
// TimeOfDayText: "%02d:%02d" of the hours and minutes.
void SetTimeOfDayText(QString& dest, int32_t minutes);
// FormatSignedTime: "%c %02d:%02d", the sign, then hours and minutes of the absolute value.
void SetClockText(QString& dest, int32_t minutes);

}  // namespace tallimer
