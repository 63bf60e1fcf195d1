#include "operations/month_timesheet.h"

#include <QTextStream>
#include <cerrno>

#include "accounting/month_sheet.h"
#include "operations/ledger_file.h"
#include "operations/timesheet_html.h"
#include "platform/diagnostics.h"

namespace tallimer {

TimesheetRead ReadMonthTimesheet(const Journal& journal, const QString& ledgerPath,
                                 const Settings& settings, const DaysBook& days, QDate date,
                                 QDate today, const QString& name) {
    MonthSheetTally tally(settings, date, &days, today);
    tally.SetLedger(ReadLedger(ledgerPath).text.lines);
    JournalAsRead kept;
    const Journal::Read read = journal.readLines(
        "timesheet",
        [&tally](std::string_view line, long long offset) { tally.AddLine(line, offset); }, &kept);
    if (read.error != 0 && read.error != ENOENT) {
        platform::ReportFailure("timesheet", journal.path(), read.error);
        return {read.error, {}};
    }
    TimesheetRead sheet;
    QTextStream out(&sheet.html);
    if (!WriteTimesheetHtml(out, tally, kept, name)) {
        return {EIO, {}};  // the journal failed or changed while its periods were read again
    }
    out.flush();
    return sheet;
}

}  // namespace tallimer
