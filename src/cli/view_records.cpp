#include "cli/view_records.h"

#include <QLocale>
#include <array>
#include <span>

#include "cli/time_cells.h"
#include "journal/days_text.h"

namespace tallimer {

bool WriteListRecords(QTextStream& out, RecordFormat format, const EntryIndex& list,
                      JournalAsRead& journal) {
    RecordWriter writer(out, format, {{"entries", {"date", "time", "stop", "project"}}});
    writer.BeginSet(0);
    const bool read = list.ForEachRow(journal, [&writer](const EntryList::Row& row) {
        // The list shows a Stop's time indented; here the stop field tells it.
        const QStringView time = row.stop ? QStringView(row.time).mid(2) : QStringView(row.time);
        writer.Write({row.date, time, row.stop, row.project});
    });
    writer.Finish();
    return read;
}

void WriteReportRecords(QTextStream& out, RecordFormat format, const ReportTree& tree) {
    RecordWriter writer(out, format, {{"report", {"depth", "text", "bold"}}});
    writer.BeginSet(0);
    for (const ReportTree::Line& line : tree.DisplayOrder()) {
        const ReportTree::Node& node = tree.node(line.id);
        writer.Write({int64_t{line.depth}, node.text, node.state == ReportTree::State::Bold});
    }
    writer.Finish();
}

void WriteWeekRecords(QTextStream& out, RecordFormat format, const WeekSummary& week) {
    // The kind of day and a missing day are fields only where a days book gave terms, so a
    // week without one reads as it always did.
    QStringList dayFields = {"date", "weekday", "entries", "presence", "target", "credit", "open"};
    if (week.withDays) {
        dayFields << "day_off"
                  << "half"
                  << "missing";
    }
    RecordWriter writer(out, format,
                        {{"days", dayFields},
                         {"total", {"week", "presence", "target", "credit"}},
                         {"projects", {"project", "minutes"}}});
    for (const size_t set : writer.SetOrder()) {
        writer.BeginSet(set);
        if (set == 0) {
            for (const WeekDay& day : week.days) {
                const QString date = day.date.toString(Qt::ISODate);
                const QString weekday = QLocale::c().dayName(day.date.dayOfWeek());
                std::vector<Field> fields = {date,
                                             weekday,
                                             int64_t{day.state.entryCount},
                                             int64_t{day.state.presence},
                                             int64_t{day.target},
                                             int64_t{day.credit},
                                             day.state.periodOpen != 0};
                // The field views the text: it lives until the record is written.
                const QString kind =
                    day.dayOff ? QString::fromLatin1(DayOffKindName(*day.dayOff)) : QString();
                if (week.withDays) {
                    fields.push_back(day.dayOff ? Field(kind) : Field(nullptr));
                    fields.push_back(day.half);
                    fields.push_back(day.missing);
                }
                writer.Write(fields);
            }
        } else if (set == 1) {
            const QString name = QString::asprintf("%d-W%02d", week.isoYear, week.isoWeek);
            writer.Write(
                {name, int64_t{week.presence}, int64_t{week.target}, int64_t{week.credit}});
        } else {
            for (const ProjectTotal& project : week.projects) {
                writer.Write({project.name, int64_t{project.minutes}});
            }
        }
    }
    writer.Finish();
}

bool WritePeriodRecords(QTextStream& out, RecordFormat format, PeriodList& periods,
                        JournalAsRead& journal) {
    // As the week's: the day off is a field only where a days book holds anything.
    QStringList fields = {"date", "start", "stop", "minutes", "project", "stop_project"};
    const bool withDays = periods.withDays();
    if (withDays) {
        fields << "day_off";
    }
    RecordWriter writer(out, format, {{"periods", fields}});
    writer.BeginSet(0);
    QString date;
    QString start;
    QString stop;
    QString kind;
    const bool read = periods.ForEach(journal, [&](const Period& period) {
        // A date that cannot exist has no ISO form: it keeps the journal's text.
        if (period.date.isValid()) {
            SetIsoDateText(date, period.date);
        } else {
            date = period.dateText;
        }
        SetTimeOfDayText(start, period.start);
        if (period.stop) {
            SetTimeOfDayText(stop, *period.stop);
        }
        if (period.dayOff) {
            kind = QString::fromLatin1(DayOffKindName(*period.dayOff));
        }
        const std::array<Field, 7> record = {
            date,
            start,
            period.stop ? Field(stop) : Field(nullptr),
            int64_t{period.minutes},
            period.project,
            period.stop ? Field(period.stopProject) : Field(nullptr),
            period.dayOff ? Field(kind) : Field(nullptr)};
        writer.Write(std::span(record.data(), withDays ? 7 : 6));
    });
    writer.Finish();
    return read;
}

}  // namespace tallimer
