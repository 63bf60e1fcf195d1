#include "cli/week_periods_text.h"

#include <QLocale>

#include "accounting/time_text.h"
#include "cli/time_cells.h"
#include "cli/view_text.h"
#include "journal/days_text.h"
#include "journal/journal_line.h"

namespace tallimer {

void PrintWeek(QTextStream& out, const WeekSummary& week) {
    out << QString::asprintf("Week %d-W%02d", week.isoYear, week.isoWeek) << '\t'
        << SelectedDateText(week.days.front().date) << '\t'
        << SelectedDateText(week.days.back().date) << '\n';
    out << "Date\tWeekday\tPresence\tTarget\tCredit\n";
    for (const WeekDay& day : week.days) {
        out << day.state.selectedDateText << '\t' << QLocale::c().dayName(day.date.dayOfWeek())
            << '\t' << SignedTimeText(day.state.presence) << '\t' << SignedTimeText(day.target)
            << '\t' << SignedTimeText(day.credit);
        if (day.state.periodOpen != 0) {
            out << "\topen";
        }
        if (day.dayOff) {
            out << '\t' << DayOffKindName(*day.dayOff).data() << (day.half ? " half" : "");
        }
        if (day.missing) {
            out << "\tmissing";
        }
        out << '\n';
    }
    out << "Presence\t" << SignedTimeAndHoursText(week.presence) << '\n';
    out << "Target\t" << SignedTimeAndHoursText(week.target) << '\n';
    out << "Credit\t" << SignedTimeAndHoursText(week.credit) << '\n';
    out << "Projects\t" << week.projects.size() << '\n';
    for (const ProjectTotal& project : week.projects) {
        out << "  " << project.name << '\t' << SignedTimeAndHoursText(project.minutes) << '\n';
    }
}

bool PrintPeriods(QTextStream& out, PeriodList& periods, JournalAsRead& journal) {
    // The day off is a field only where a days book holds anything, so that output without
    // one reads as it always did.
    const bool withDays = periods.withDays();
    out << "Date\tStart\tStop\tTime\tProject\tStop project" << (withDays ? "\tDay off\n" : "\n");
    QString text;
    QString cell;
    const bool read = periods.ForEach(journal, [&](const Period& period) {
        if (period.date.isValid()) {
            SetDateText(cell, period.date);
            text.append(cell).append(u'\t');
        } else {
            text.append(period.dateText).append(u'\t');
        }
        SetTimeOfDayText(cell, period.start);
        text.append(cell).append(u'\t');
        if (period.stop) {
            SetTimeOfDayText(cell, *period.stop);
            text.append(cell);
        }
        SetClockText(cell, period.minutes);
        text.append(u'\t').append(cell).append(u'\t').append(period.project).append(u'\t');
        text.append(period.stopProject);
        if (withDays) {
            text.append(u'\t');
            if (period.dayOff) {
                text.append(QString::fromLatin1(DayOffKindName(*period.dayOff)));
                if (period.half) {
                    text.append(u" half");
                }
            }
        }
        text.append(u'\n');
        if (text.size() >= kPrintChunk) {
            out << text;
            text.truncate(0);
        }
    });
    out << text;
    return read;
}

}  // namespace tallimer
