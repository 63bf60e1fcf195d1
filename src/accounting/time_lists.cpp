#include "accounting/time_lists.h"

namespace tallimer {

namespace {

QString TwoDigits(int64_t v) {
    return QString::number(v).rightJustified(2, u'0');
}

// A unit of 0 or less would make the minute list endless and the snapping divide by zero.
int32_t UsableUnit(int32_t unit) {
    return unit <= 0 ? 1 : unit;
}

}  // namespace

QStringList HourListItems() {
    QStringList items;
    for (int hour = 23; hour >= 0; --hour) {
        items.append(TwoDigits(hour));
    }
    return items;
}

QStringList MinuteListItems(int32_t unit) {
    const int32_t u = UsableUnit(unit);
    QStringList items;
    for (int32_t v = 60 - u; v >= 0; v -= u) {
        items.append(TwoDigits(v));
    }
    return items;
}

int32_t EffectiveMinuteUnit(Settings& settings) {
    if (settings.minuteUnit <= 0) {
        settings.minuteUnit = 1;
    }
    return settings.minuteUnit;
}

TimeListSelection SelectTimeInLists(TimeRecord time, int32_t unit) {
    const int64_t u = UsableUnit(unit);
    const int64_t m = ((time.minute + u / 2) / u) * u;
    TimeListSelection selection;
    selection.snapped = time;
    selection.snapped.minute = static_cast<uint16_t>(m);
    if (m >= 60) {
        selection.snapped.minute = 0;
        selection.snapped.hour = static_cast<uint16_t>(time.hour + 1);
    }

    const QString minuteText = TwoDigits(selection.snapped.minute);
    if (MinuteListItems(unit).contains(minuteText)) {
        selection.minuteText = minuteText;
    }
    // Every hour of the clock is offered; the carry past 23:59 is midnight.
    selection.hourText = TwoDigits(selection.snapped.hour % 24);
    return selection;
}

}  // namespace tallimer
