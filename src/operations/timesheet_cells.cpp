#include "operations/timesheet_cells.h"

#include <QLocale>

#include "accounting/time_text.h"
#include "journal/days_text.h"
#include "journal/journal_line.h"

namespace tallimer {

QString SheetPeriodText(const SheetPeriod& period, bool aligned) {
    const QString times = period.stop
                              ? TimeOfDayText(period.start) + u'-' + TimeOfDayText(*period.stop)
                              : TimeOfDayText(period.start).leftJustified(aligned ? 11 : 0);
    return times + u' ' + period.project;
}

QString SheetDayKindText(const TalliedDay& day) {
    if (day.dayOff) {
        return QString::fromLatin1(DayOffKindName(*day.dayOff)) +
               (day.half ? QStringLiteral(" half") : QString());
    }
    return day.missing ? QStringLiteral("missing") : QString();
}

QString SheetWeekText(const std::array<int32_t, 7>& week) {
    QStringList days;
    for (size_t i = 0; i < week.size(); ++i) {
        days << QStringLiteral("%1 %2:%3")
                    .arg(QLocale::c().dayName(int(i) + 1, QLocale::ShortFormat))
                    .arg(week[i] / 60)
                    .arg(week[i] % 60, 2, 10, QChar(u'0'));
    }
    return days.join(u"  ");
}

QString SheetMonthText(const MonthSheet& sheet) {
    return SelectedDateText(sheet.first).left(7);
}

}  // namespace tallimer
