#include "cli/timesheet_records.h"

#include <QLocale>

#include "cli/time_cells.h"
#include "journal/days_text.h"

namespace tallimer {

namespace {

void WriteDays(RecordWriter& writer, const MonthSheet& sheet) {
    for (const TalliedDay& day : sheet.days) {
        const QString date = day.date.toString(Qt::ISODate);
        const QString weekday = QLocale::c().dayName(day.date.dayOfWeek());
        const QString kind =
            day.dayOff ? QString::fromLatin1(DayOffKindName(*day.dayOff)) : QString();
        writer.Write({date, weekday, int64_t{day.state.entryCount}, int64_t{day.state.presence},
                      int64_t{day.breakCharged}, int64_t{day.target}, int64_t{day.credit},
                      day.state.periodOpen != 0, day.dayOff ? Field(kind) : Field(nullptr),
                      day.half, day.missing});
    }
}

bool WritePeriods(RecordWriter& writer, MonthSheetTally& tally, const MonthSheet& sheet,
                  JournalAsRead& journal) {
    QString date;
    QString start;
    QString stop;
    return tally.ForEachDay(
        journal, sheet, [&](const TalliedDay& day, const std::vector<SheetPeriod>& periods) {
            SetIsoDateText(date, day.date);
            for (const SheetPeriod& period : periods) {
                SetTimeOfDayText(start, period.start);
                if (period.stop) {
                    SetTimeOfDayText(stop, *period.stop);
                }
                writer.Write(
                    {date, start, period.stop ? Field(stop) : Field(nullptr), period.project});
            }
        });
}

// The balances come from the ledger: null where it does not reach the month.
void WriteTotal(RecordWriter& writer, const MonthSheet& sheet) {
    const QString month = sheet.first.toString(u"yyyy-MM");
    const MonthLedger& ledger = sheet.balance;
    const QString opened = ledger.openedOn.toString(Qt::ISODate);
    const auto known = [&ledger](int32_t value) {
        return ledger.known ? Field(int64_t{value}) : Field(nullptr);
    };
    writer.Write({month, int64_t{sheet.presence}, int64_t{sheet.target}, int64_t{sheet.credit},
                  ledger.carriedOver ? Field(int64_t{*ledger.carriedOver}) : Field(nullptr),
                  known(ledger.atEnd),
                  ledger.openedOn.isValid() ? Field(QStringView(opened)) : Field(nullptr),
                  known(ledger.credit), known(ledger.cap), known(ledger.setup),
                  known(ledger.corrections)});
}

}  // namespace

bool WriteTimesheetRecords(QTextStream& out, RecordFormat format, MonthSheetTally& tally,
                           JournalAsRead& journal) {
    const MonthSheet sheet = tally.Sheet();
    RecordWriter writer(
        out, format,
        {{"days",
          {"date", "weekday", "entries", "presence", "break", "target", "credit", "open", "day_off",
           "half", "missing"}},
         {"periods", {"date", "start", "stop", "project"}},
         {"total",
          {"month", "presence", "target", "credit", "balance_carried_over", "balance_month_end",
           "ledger_opened", "ledger_credit", "new_month_cap", "setup_changes", "corrections"}},
         {"projects", {"project", "minutes"}},
         {"week", {"weekday", "target"}}});
    bool read = true;
    for (const size_t set : writer.SetOrder()) {
        writer.BeginSet(set);
        if (set == 0) {
            WriteDays(writer, sheet);
        } else if (set == 1) {
            read = WritePeriods(writer, tally, sheet, journal);
        } else if (set == 2) {
            WriteTotal(writer, sheet);
        } else if (set == 3) {
            for (const ProjectTotal& project : sheet.projects) {
                writer.Write({project.name, int64_t{project.minutes}});
            }
        } else {
            for (size_t i = 0; i < sheet.week.size(); ++i) {
                const QString weekday = QLocale::c().dayName(int(i) + 1);
                writer.Write({weekday, int64_t{sheet.week[i]}});
            }
        }
    }
    writer.Finish();
    return read;
}

}  // namespace tallimer
