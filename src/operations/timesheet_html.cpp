#include "operations/timesheet_html.h"
#include "accounting/time_text.h"

#include <QLocale>
#include <QStringList>

#include "operations/timesheet_cells.h"

namespace tallimer {

namespace {

// Sized for print: a month of two periods a day fits one page. The body's size is set apart
// (kTimesheetBodyPoints).
constexpr char kStyle[] =
    "h1 { margin: 0 0 2px 0; }\n"
    "h2 { margin: 3px 0 0 0; }\n"
    "p { margin: 0 0 1px 0; }\n"
    "table { border-collapse: collapse; }\n"
    "th, td { border: 1px solid #999; padding: 0 4px; text-align: left; }\n"
    "td.time { text-align: right; white-space: nowrap; }\n"
    ".signatures td { border: none; padding: 14px 32px 0 0; }\n";

// A row of cells, each text escaped; `timeFrom` and after are right-aligned times.
QString Row(const QStringList& cells, qsizetype timeFrom = -1, const char* tag = "td") {
    QString row = QStringLiteral("<tr>");
    for (qsizetype i = 0; i < cells.size(); ++i) {
        const bool time = timeFrom >= 0 && i >= timeFrom;
        row += QStringLiteral("<%1%2>%3</%1>")
                   .arg(QLatin1String(tag), time ? QStringLiteral(" class=\"time\"") : QString(),
                        cells[i].toHtmlEscaped());
    }
    return row + QStringLiteral("</tr>\n");
}

}  // namespace

bool WriteTimesheetHtml(QTextStream& out, MonthSheetTally& tally, JournalAsRead& journal,
                        const QString& name) {
    const MonthSheet sheet = tally.Sheet();
    const QString title = QStringLiteral("Timesheet %1").arg(SheetMonthText(sheet));
    out << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        << "<title>" << (title + QStringLiteral(" - ") + name).toHtmlEscaped() << "</title>\n"
        << "<style>\n"
        << "body { font-family: sans-serif; font-size: " << kTimesheetBodyPoints << "pt; }\n"
        << kStyle << "</style>\n</head>\n<body>\n"
        << "<h1>" << title.toHtmlEscaped() << "</h1>\n"
        << "<p>Name: " << name.toHtmlEscaped()
        << "<br>\nWorking week: " << SheetWeekText(sheet.week).toHtmlEscaped() << "</p>\n";

    out << "<table class=\"days\">\n"
        << Row({QStringLiteral("Date"), QStringLiteral("Day"), QStringLiteral("Periods"),
                QStringLiteral("Presence"), QStringLiteral("Break"), QStringLiteral("Target"),
                QStringLiteral("Credit"), QStringLiteral("Day off")},
               -1, "th");
    const bool read = tally.ForEachDay(
        journal, sheet, [&](const TalliedDay& day, const std::vector<SheetPeriod>& periods) {
            QStringList texts;
            for (const SheetPeriod& period : periods) {
                texts << SheetPeriodText(period, false).toHtmlEscaped();
            }
            out << "<tr><td>" << day.state.selectedDateText.toHtmlEscaped() << "</td><td>"
                << QLocale::c().dayName(day.date.dayOfWeek(), QLocale::ShortFormat) << "</td><td>"
                << texts.join(QStringLiteral("<br>")) << "</td>";
            for (const int32_t minutes :
                 {day.state.presence, day.breakCharged, day.target, day.credit}) {
                out << "<td class=\"time\">" << SignedTimeText(minutes).toHtmlEscaped() << "</td>";
            }
            out << "<td>" << SheetDayKindText(day).toHtmlEscaped() << "</td></tr>\n";
        });
    if (!read) {
        return false;
    }
    out << "</table>\n";

    out << "<h2>Totals</h2>\n<table class=\"totals\">\n"
        << Row({QStringLiteral("Presence"), SignedTimeAndHoursText(sheet.presence)}, 1)
        << Row({QStringLiteral("Target"), SignedTimeAndHoursText(sheet.target)}, 1)
        << Row({QStringLiteral("Credit"), SignedTimeAndHoursText(sheet.credit)}, 1) << "</table>\n";

    out << "<h2>Projects</h2>\n<table class=\"projects\">\n";
    for (const ProjectTotal& project : sheet.projects) {
        out << Row({project.name, SignedTimeAndHoursText(project.minutes)}, 1);
    }
    out << "</table>\n";

    out << "<h2>Balance</h2>\n<table class=\"balance\">\n";
    for (const auto& [label, value] : SheetBalanceRows(sheet)) {
        out << Row({label, value}, 1);
    }
    out << "</table>\n";

    out << "<table class=\"signatures\">\n"
        << "<tr><td>Employee: ______________________________</td>"
        << "<td>Date: ________________</td></tr>\n"
        << "<tr><td>Supervisor: ____________________________</td>"
        << "<td>Date: ________________</td></tr>\n"
        << "</table>\n</body>\n</html>\n";
    return true;
}

}  // namespace tallimer
