#include "cli/report_views.h"

#include <cerrno>

#include "accounting/day_summary.h"
#include "cli/ledger_view.h"
#include "cli/timesheet_records.h"
#include "cli/timesheet_text.h"
#include "cli/view_records.h"
#include "cli/view_text.h"
#include "cli/week_periods_text.h"
#include "operations/desktop_preferences_store.h"
#include "operations/ledger_file.h"
#include "operations/timesheet_html.h"

namespace tallimer {

namespace {

void AttachNothing(ViewInputs&) {}

void AttachProjects(ViewInputs& inputs) {
    inputs.listsProjects = true;
}

bool PanelText(QTextStream& out, ViewInputs& inputs) {
    PrintPanel(out, inputs.snapshot);
    return true;
}

bool DayText(QTextStream& out, ViewInputs& inputs) {
    const Settings& settings = inputs.tracker.settings();
    PrintDay(out, DaySummaryAt(inputs.snapshot.day, settings,
                               SummaryNow(inputs.now, settings.minuteUnit)));
    return true;
}

void AttachList(ViewInputs& inputs) {
    inputs.list.emplace();
}

bool ListText(QTextStream& out, ViewInputs& inputs) {
    return PrintList(out, *inputs.list, inputs.journal);
}

bool ListRecords(QTextStream& out, RecordFormat format, ViewInputs& inputs) {
    return WriteListRecords(out, format, *inputs.list, inputs.journal);
}

void AttachReport(ViewInputs& inputs) {
    inputs.report.emplace(inputs.tracker.settings(), inputs.tracker.month(), inputs.now.date(),
                          &inputs.tracker.days());
}

bool ReportText(QTextStream& out, ViewInputs& inputs) {
    PrintReport(out, inputs.report->tree());
    return true;
}

bool ReportRecords(QTextStream& out, RecordFormat format, ViewInputs& inputs) {
    WriteReportRecords(out, format, inputs.report->tree());
    return true;
}

void AttachWeek(ViewInputs& inputs) {
    inputs.week.emplace(inputs.tracker.settings(), inputs.date, &inputs.tracker.days(),
                        inputs.now.date());
}

bool WeekText(QTextStream& out, ViewInputs& inputs) {
    PrintWeek(out, inputs.week->Summary());
    return true;
}

bool WeekRecords(QTextStream& out, RecordFormat format, ViewInputs& inputs) {
    WriteWeekRecords(out, format, inputs.week->Summary());
    return true;
}

void AttachPeriods(ViewInputs& inputs) {
    inputs.periods.emplace(inputs.tracker.settings(), &inputs.tracker.days());
}

bool PeriodsText(QTextStream& out, ViewInputs& inputs) {
    return PrintPeriods(out, *inputs.periods, inputs.journal);
}

bool PeriodsRecords(QTextStream& out, RecordFormat format, ViewInputs& inputs) {
    return WritePeriodRecords(out, format, *inputs.periods, inputs.journal);
}

void AttachTimesheet(ViewInputs& inputs) {
    inputs.sheet.emplace(inputs.tracker.settings(), inputs.date, &inputs.tracker.days(),
                         inputs.now.date());
    inputs.sheet->SetLedger(ReadLedger(inputs.tracker.store().ledgerPath).text.lines);
}

bool TimesheetText(QTextStream& out, ViewInputs& inputs) {
    return PrintTimesheet(out, *inputs.sheet, inputs.journal,
                          TimesheetName(LoadDesktopPreferences()));
}

bool TimesheetRecords(QTextStream& out, RecordFormat format, ViewInputs& inputs) {
    return WriteTimesheetRecords(out, format, *inputs.sheet, inputs.journal);
}

bool TimesheetHtml(QTextStream& out, ViewInputs& inputs) {
    return WriteTimesheetHtml(out, *inputs.sheet, inputs.journal,
                              TimesheetName(LoadDesktopPreferences()));
}

void AttachLedger(ViewInputs& inputs) {
    // Read whole before anything is printed; no ledger yet is an empty one.
    const LedgerRead read = ReadLedger(inputs.tracker.store().ledgerPath);
    inputs.ledgerError = read.error == ENOENT ? 0 : read.error;
    inputs.ledger = LedgerLinesOf(read.text.lines,
                                  inputs.dateGiven ? std::optional(inputs.date) : std::nullopt);
}

bool LedgerLinesText(QTextStream& out, ViewInputs& inputs) {
    PrintLedger(out, *inputs.ledger);
    return true;
}

bool LedgerRecords(QTextStream& out, RecordFormat format, ViewInputs& inputs) {
    WriteLedgerRecords(out, format, *inputs.ledger);
    return true;
}

}  // namespace

const std::vector<ReportView>& ReportViews() {
    // The panel and the day summary are a handful of texts, not records.
    static const std::vector<ReportView> views = {
        {u"panel", true, AttachProjects, PanelText, nullptr, nullptr},
        {u"day", true, AttachNothing, DayText, nullptr, nullptr},
        {u"list", true, AttachList, ListText, ListRecords, nullptr},
        {u"report", true, AttachReport, ReportText, ReportRecords, nullptr},
        {u"week", false, AttachWeek, WeekText, WeekRecords, nullptr},
        {u"periods", false, AttachPeriods, PeriodsText, PeriodsRecords, nullptr},
        {u"timesheet", false, AttachTimesheet, TimesheetText, TimesheetRecords, TimesheetHtml},
        {u"ledger", false, AttachLedger, LedgerLinesText, LedgerRecords, nullptr},
    };
    return views;
}

const ReportView& FindReportView(QStringView name) {
    for (const ReportView& view : ReportViews()) {
        if (view.name == name) {
            return view;
        }
    }
    return ReportViews().front();  // the parser takes only names of the table
}

ViewNames ReportViewNames() {
    ViewNames names;
    for (const ReportView& view : ReportViews()) {
        names.all << view.name.toString();
        if (view.byDefault) {
            names.defaults << view.name.toString();
        }
        if (view.records != nullptr) {
            names.records << view.name.toString();
        }
        if (view.html != nullptr) {
            names.html << view.name.toString();
        }
    }
    return names;
}

ViewFanOut::ViewFanOut(ViewInputs& inputs)
    : week_(inputs.week ? &*inputs.week : nullptr),
      periods_(inputs.periods ? &*inputs.periods : nullptr),
      sheet_(inputs.sheet ? &*inputs.sheet : nullptr) {
    if (inputs.list) {
        sinks_.push_back(&*inputs.list);
    }
    if (inputs.report) {
        sinks_.push_back(&*inputs.report);
    }
}

ScanSink* ViewFanOut::Target() {
    if (week_ != nullptr || periods_ != nullptr || sheet_ != nullptr || sinks_.size() > 1) {
        return this;
    }
    return sinks_.empty() ? nullptr : sinks_.front();
}

void ViewFanOut::BeginReport(const DayState& day) {
    for (ScanSink* sink : sinks_) {
        sink->BeginReport(day);
    }
}

void ViewFanOut::DayLine(int32_t entryCount, int32_t entryTime, std::string_view project) {
    for (ScanSink* sink : sinks_) {
        sink->DayLine(entryCount, entryTime, project);
    }
}

void ViewFanOut::MonthLine(std::string_view line, int32_t entryTime, std::string_view project) {
    for (ScanSink* sink : sinks_) {
        sink->MonthLine(line, entryTime, project);
    }
}

void ViewFanOut::ListLine(std::string_view line, int32_t lineNumber, long long offset) {
    for (ScanSink* sink : sinks_) {
        sink->ListLine(line, lineNumber, offset);
    }
    if (week_ != nullptr) {
        week_->AddLine(line);
    }
    if (periods_ != nullptr) {
        periods_->AddLine(line, offset);
    }
    if (sheet_ != nullptr) {
        sheet_->AddLine(line, offset);
    }
}

void ViewFanOut::FinishReport(const DayState& day) {
    for (ScanSink* sink : sinks_) {
        sink->FinishReport(day);
    }
}

}  // namespace tallimer
