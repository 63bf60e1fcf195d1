#pragma once

#include <QDate>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tallimer {

// Signed clock form "%c %02d:%02d": "+ 08:30", "- 01:15". Replaces dest's content.
QString& FormatSignedTime(QString& dest, int32_t v);

// Appends the decimal-hours suffix "  ( %c %d.%02d )": 10 minutes give "  ( + 0.16 )".
QString& AppendDecimalHours(QString& dest, int32_t v);

// The same as new texts: "+ 08:30", and "- 01:15  ( - 1.25 )" with the decimal hours.
QString SignedTimeText(int32_t v);
QString SignedTimeAndHoursText(int32_t v);

// A time of day "%02d:%02d", as the report's "Started" and "Stopped" nodes show it.
QString TimeOfDayText(int32_t t);

// The Setup dialog's editable forms.
enum class EditHoursForm {
    Plain,                       // "%d" of the value: break, minute unit
    HoursOptionalMinutes,        // 2400 -> "40", 2310 -> "38:30": weekly hours
    SignedHoursOptionalMinutes,  // -630 -> "-10:30", -600 -> "-10": flexitime limits
    SignedHoursMinutes,          // -75 -> "-1:15", 0 -> "0:00": flexitime balance
    HoursMinutes,                // 1380 -> "23:00": cut-off time
};
QString& FormatEditHours(QString& dest, int32_t v, EditHoursForm form);

// A date as the programs take it on the command line, "YYYY/MM/DD"; nullopt when it is not one.
std::optional<QDate> DateOfText(const QString& text);

// Minutes denoted by an hours text ("8:30", "7.5", "7,25", "-1:15"); never fails.
int32_t ParseHoursText(QStringView text);

}  // namespace tallimer
