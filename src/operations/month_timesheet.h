#pragma once

#include <QDate>
#include <QString>

#include "journal/journal.h"
#include "model/days_book.h"
#include "model/settings.h"

namespace tallimer {

struct TimesheetRead {
    int error = 0;  // 0, or the errno of the read that failed
    QString html;   // the month's timesheet as tallimer-report --format html prints it
};

// The month of `date` as the timesheet's HTML document, from one read of `journal` and its balance
// from the ledger at `ledgerPath`, counted as tallimer-report counts it (`today`: workdays after
// it are not missing yet). No journal yet is a month without entries.
TimesheetRead ReadMonthTimesheet(const Journal& journal, const QString& ledgerPath,
                                 const Settings& settings, const DaysBook& days, QDate date,
                                 QDate today, const QString& name);

}  // namespace tallimer
