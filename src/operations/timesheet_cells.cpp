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

std::vector<std::pair<QString, QString>> SheetBalanceRows(const MonthSheet& sheet) {
    const MonthLedger& ledger = sheet.balance;
    if (!ledger.known) {
        const QString notKnown = QString::fromLatin1(kBalanceNotKnown);
        return {{QStringLiteral("Balance carried over"), notKnown},
                {QStringLiteral("Credit of the month"), SignedTimeAndHoursText(sheet.credit)},
                {QStringLiteral("Balance at month's end"), notKnown}};
    }
    std::vector<std::pair<QString, QString>> rows;
    if (ledger.carriedOver) {
        rows.emplace_back(QStringLiteral("Balance carried over"),
                          SignedTimeAndHoursText(*ledger.carriedOver));
    } else {
        rows.emplace_back(QStringLiteral("Ledger opened ") + SelectedDateText(ledger.openedOn),
                          SignedTimeAndHoursText(ledger.opening));
    }
    rows.emplace_back(QStringLiteral("Credit of the month"), SignedTimeAndHoursText(ledger.credit));
    rows.emplace_back(QStringLiteral("New-month cap"), SignedTimeAndHoursText(ledger.cap));
    rows.emplace_back(QStringLiteral("Setup changes"), SignedTimeAndHoursText(ledger.setup));
    if (ledger.corrections != 0) {
        rows.emplace_back(QStringLiteral("Corrections"),
                          SignedTimeAndHoursText(ledger.corrections));
    }
    rows.emplace_back(QStringLiteral("Balance at month's end"),
                      SignedTimeAndHoursText(ledger.atEnd));
    return rows;
}

}  // namespace tallimer
