#include "cli/week_periods_text.h"

#include <QLocale>

#include "accounting/time_text.h"
#include "journal/journal_line.h"

namespace tallimer {

namespace {

QString ClockText(int32_t v) {
    QString text;
    return FormatSignedTime(text, v);
}

QString FullText(int32_t v) {
    QString text;
    FormatSignedTime(text, v);
    return AppendDecimalHours(text, v);
}

}  // namespace

void PrintWeek(QTextStream& out, const WeekSummary& week) {
    out << QString::asprintf("Week %d-W%02d", week.isoYear, week.isoWeek) << '\t'
        << SelectedDateText(week.days.front().date) << '\t'
        << SelectedDateText(week.days.back().date) << '\n';
    out << "Date\tWeekday\tPresence\tTarget\tCredit\n";
    for (const WeekDay& day : week.days) {
        out << day.state.selectedDateText << '\t' << QLocale::c().dayName(day.date.dayOfWeek())
            << '\t' << ClockText(day.state.presence) << '\t' << ClockText(day.target) << '\t'
            << ClockText(day.credit);
        if (day.state.periodOpen != 0) {
            out << "\topen";
        }
        out << '\n';
    }
    out << "Presence\t" << FullText(week.presence) << '\n';
    out << "Target\t" << FullText(week.target) << '\n';
    out << "Credit\t" << FullText(week.credit) << '\n';
    out << "Projects\t" << week.projects.size() << '\n';
    for (const ProjectTotal& project : week.projects) {
        out << "  " << project.name << '\t' << FullText(project.minutes) << '\n';
    }
}

void PrintPeriods(QTextStream& out, const std::vector<Period>& periods) {
    out << "Date\tStart\tStop\tTime\tProject\tStop project\n";
    for (const Period& period : periods) {
        out << SelectedDateText(period.date) << '\t' << TimeOfDayText(period.start) << '\t'
            << (period.stop ? TimeOfDayText(*period.stop) : QString()) << '\t'
            << ClockText(period.minutes) << '\t' << period.project << '\t' << period.stopProject
            << '\n';
    }
}

}  // namespace tallimer
