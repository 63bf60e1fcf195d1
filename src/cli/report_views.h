#pragma once

#include <QDate>
#include <QDateTime>
#include <QStringView>
#include <QTextStream>
#include <optional>
#include <vector>

#include "accounting/entry_index.h"
#include "accounting/journal_periods.h"
#include "accounting/month_report.h"
#include "accounting/month_sheet.h"
#include "accounting/week_summary.h"
#include "cli/record_writer.h"
#include "cli/report_options.h"
#include "model/day_state.h"
#include "model/month_state.h"
#include "model/scan_sink.h"
#include "operations/settings_store.h"
#include "operations/tracker.h"

namespace tallimer {

// What the views of one run are made from. The one scan of the journal feeds the sinks that
// the chosen views asked for; the views print from what it left.
struct ViewInputs {
    ViewInputs(Tracker& tracker, QDate date, QDateTime now)
        : tracker(tracker), date(date), now(now) {}

    Tracker& tracker;  // the settings, and the month a report fills as the scan goes
    QDate date;
    QDateTime now;
    Snapshot snapshot;  // the panel and the day after the scan
    std::optional<EntryIndex> list;
    std::optional<MonthReport> report;
    std::optional<WeekTally> week;
    std::optional<PeriodList> periods;
    std::optional<MonthSheetTally> sheet;
    std::optional<std::vector<LedgerLine>> ledger;  // the lines the ledger view prints
    int ledgerError = 0;     // why the ledger view could not read the ledger, if it could not
    bool dateGiven = false;  // the ledger view: only the date's month
    // The journal as the scan read it, for the views that read their lines again.
    JournalAsRead journal;
    bool listsProjects = false;  // whether a view prints the project box's list
    bool readsAgain() const { return list || periods || sheet; }
};

// A view: its name for --view, the sink it needs filled by the scan, what it prints. Printing
// fails (false) only where a view reads the journal again and that read fails.
struct ReportView {
    QStringView name;
    bool byDefault;  // printed when --view is not given
    void (*attach)(ViewInputs& inputs);
    bool (*text)(QTextStream& out, ViewInputs& inputs);
    bool (*records)(QTextStream& out, RecordFormat format, ViewInputs& inputs);  // or none
    bool (*html)(QTextStream& out, ViewInputs& inputs);                          // or none
};

// panel, day, list, report, week, periods and timesheet, in the order they are named and printed.
const std::vector<ReportView>& ReportViews();
const ReportView& FindReportView(QStringView name);
ViewNames ReportViewNames();

// Hands every step of the scan on to the sinks of `inputs` that were attached, and every line
// to the week and the periods.
class ViewFanOut : public ScanSink {
  public:
    explicit ViewFanOut(ViewInputs& inputs);
    // What the scan is to feed: nothing when no view asked for more than the scan's own
    // state, a view's sink itself when it is the only one, else this.
    ScanSink* Target();
    void BeginReport(const DayState& day) override;
    void DayLine(int32_t entryCount, int32_t entryTime, std::string_view project) override;
    void MonthLine(std::string_view line, int32_t entryTime, std::string_view project) override;
    void ListLine(std::string_view line, int32_t lineNumber, long long offset) override;
    void FinishReport(const DayState& day) override;

  private:
    std::vector<ScanSink*> sinks_;
    WeekTally* week_;
    PeriodList* periods_;
    MonthSheetTally* sheet_;
};

}  // namespace tallimer
