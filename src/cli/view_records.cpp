#include "cli/view_records.h"

#include <QLocale>

#include "accounting/time_text.h"

namespace tallimer {

RecordSet ListRecords(const EntryList& list) {
    RecordSet set{QStringLiteral("entries"), {"date", "time", "stop", "project"}, {}};
    for (const size_t index : list.DisplayOrder()) {
        const EntryList::Row row = list.row(index);
        // The list shows a Stop's time indented; here the stop field tells it.
        const QString time = row.stop ? row.time.mid(2) : row.time;
        set.rows.push_back({row.date, time, row.stop, row.project});
    }
    return set;
}

RecordSet ReportRecords(const ReportTree& tree) {
    RecordSet set{QStringLiteral("report"), {"depth", "text", "bold"}, {}};
    for (const ReportTree::Line& line : tree.DisplayOrder()) {
        const ReportTree::Node& node = tree.node(line.id);
        set.rows.push_back({line.depth, node.text, node.state == ReportTree::State::Bold});
    }
    return set;
}

std::vector<RecordSet> WeekRecords(const WeekSummary& week) {
    RecordSet days{QStringLiteral("days"),
                   {"date", "weekday", "entries", "presence", "target", "credit", "open"},
                   {}};
    for (const WeekDay& day : week.days) {
        days.rows.push_back({day.date.toString(Qt::ISODate),
                             QLocale::c().dayName(day.date.dayOfWeek()), day.state.entryCount,
                             day.state.presence, day.target, day.credit,
                             day.state.periodOpen != 0});
    }
    RecordSet total{QStringLiteral("total"), {"week", "presence", "target", "credit"}, {}};
    total.rows.push_back({QString::asprintf("%d-W%02d", week.isoYear, week.isoWeek), week.presence,
                          week.target, week.credit});
    RecordSet projects{QStringLiteral("projects"), {"project", "minutes"}, {}};
    for (const ProjectTotal& project : week.projects) {
        projects.rows.push_back({project.name, project.minutes});
    }
    return {days, total, projects};
}

RecordSet PeriodRecords(const std::vector<Period>& periods) {
    RecordSet set{QStringLiteral("periods"),
                  {"date", "start", "stop", "minutes", "project", "stop_project"},
                  {}};
    for (const Period& period : periods) {
        set.rows.push_back({period.date.toString(Qt::ISODate), TimeOfDayText(period.start),
                            period.stop ? QJsonValue(TimeOfDayText(*period.stop)) : QJsonValue(),
                            period.minutes, period.project,
                            period.stop ? QJsonValue(period.stopProject) : QJsonValue()});
    }
    return set;
}

}  // namespace tallimer
