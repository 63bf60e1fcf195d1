#include "cli/timesheet_text.h"
#include "accounting/time_text.h"

#include <QLocale>
#include <algorithm>

#include "operations/timesheet_cells.h"

namespace tallimer {

namespace {

constexpr qsizetype kLongestAlignedProject = 70;

// Date, weekday, presence, break, target, credit, day off: the periods come after them.
QString DayColumns(const QString& date, const QString& weekday, const QString& presence,
                   const QString& pause, const QString& target, const QString& credit,
                   const QString& kind) {
    return date.leftJustified(12) + weekday.leftJustified(5) + presence.rightJustified(8) +
           pause.rightJustified(9) + target.rightJustified(9) + credit.rightJustified(9) +
           QStringLiteral("  ") + kind.leftJustified(15);
}

}  // namespace

bool PrintTimesheet(QTextStream& out, MonthSheetTally& tally, JournalAsRead& journal,
                    const QString& name) {
    const MonthSheet sheet = tally.Sheet();
    out << "Timesheet " << SheetMonthText(sheet) << '\n';
    out << "Name          " << name << '\n';
    out << "Working week  " << SheetWeekText(sheet.week) << "\n\n";
    out << DayColumns(QStringLiteral("Date"), QStringLiteral("Day"), QStringLiteral("Presence"),
                      QStringLiteral("Break"), QStringLiteral("Target"), QStringLiteral("Credit"),
                      QStringLiteral("Day off"))
        << "Periods\n";
    const QString indent(DayColumns({}, {}, {}, {}, {}, {}, {}).size(), u' ');
    const bool read = tally.ForEachDay(
        journal, sheet, [&](const TalliedDay& day, const std::vector<SheetPeriod>& periods) {
            QString row = DayColumns(
                day.state.selectedDateText,
                QLocale::c().dayName(day.date.dayOfWeek(), QLocale::ShortFormat),
                SignedTimeText(day.state.presence), SignedTimeText(day.breakCharged),
                SignedTimeText(day.target), SignedTimeText(day.credit), SheetDayKindText(day));
            for (size_t i = 0; i < periods.size(); ++i) {
                out << (i == 0 ? row : indent) << SheetPeriodText(periods[i], true) << '\n';
            }
            if (periods.empty()) {
                while (row.endsWith(u' ')) {
                    row.chop(1);
                }
                out << row << '\n';
            }
        });
    if (!read) {
        return false;
    }
    out << '\n';
    out << "Presence      " << SignedTimeAndHoursText(sheet.presence) << '\n';
    out << "Target        " << SignedTimeAndHoursText(sheet.target) << '\n';
    out << "Credit        " << SignedTimeAndHoursText(sheet.credit) << "\n\n";
    out << "Projects      " << sheet.projects.size() << '\n';
    // The totals line up after the longest name, as far as the line's width allows.
    qsizetype width = 0;
    for (const ProjectTotal& project : sheet.projects) {
        width = std::max(width, std::min(project.name.size(), kLongestAlignedProject));
    }
    for (const ProjectTotal& project : sheet.projects) {
        out << "  " << project.name.leftJustified(width) << "  "
            << SignedTimeAndHoursText(project.minutes) << '\n';
    }
    out << '\n';
    for (const auto& [label, value] : SheetBalanceRows(sheet)) {
        out << label.leftJustified(24) << value << '\n';
    }
    return true;
}

}  // namespace tallimer
