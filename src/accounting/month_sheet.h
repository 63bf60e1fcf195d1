#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "accounting/day_tally.h"
#include "accounting/day_terms.h"
#include "accounting/month_ledger.h"
#include "accounting/project_tally.h"
#include "journal/journal_as_read.h"
#include "journal/line_runs.h"
#include "model/days_book.h"
#include "model/month_state.h"
#include "model/settings.h"

namespace tallimer {

// A period of a day on the sheet: its start, its stop as written (none while open), the
// project of its Start.
struct SheetPeriod {
    int32_t start = 0;
    std::optional<int32_t> stop;
    QString project;
};

// The month of a date as the sheet a person signs shows it.
struct MonthSheet {
    QDate first;  // the month's first day
    // Every calendar day of the month, each counted as the week view counts it.
    std::vector<TalliedDay> days;
    int32_t presence = 0;
    int32_t target = 0;
    int32_t credit = 0;
    std::vector<ProjectTotal> projects;  // as the week view totals them
    // The targets in force on the month's first day, Monday first: the week plan's, or
    // Setup's target on Monday to Friday.
    std::array<int32_t, 7> week{};
    bool withDays = false;  // whether days off or week plans gave the days their terms
    MonthLedger balance;    // as the ledger explains it, where there is one
};

// Builds the month of a date from the journal's lines, handed on one at a time. It keeps a
// day's figures and where the month's lines lie; the periods are read again when printed.
class MonthSheetTally {
  public:
    // `days`: the days off and week plans, if any; read at construction. `today`: workdays
    // after it are not missing yet.
    MonthSheetTally(const Settings& settings, QDate date, const DaysBook* days = nullptr,
                    QDate today = {});
    // A journal line as CutLine leaves it, at `offset` in the journal; lines of other months
    // pass untouched.
    void AddLine(std::string_view line, long long offset);
    // The ledger's lines, which explain the month's balance.
    void SetLedger(const std::vector<LedgerLine>& lines) {
        sheet_.balance = MonthLedgerOf(lines, sheet_.first);
    }
    MonthSheet Sheet() const;

    using DayVisitor =
        std::function<void(const TalliedDay& day, const std::vector<SheetPeriod>& periods)>;
    // Hands on every day of `sheet` in date order with its periods in journal order, read
    // again from `journal`, which the scan left; false when that read failed (it is reported).
    bool ForEachDay(JournalAsRead& journal, const MonthSheet& sheet, const DayVisitor& visit);

  private:
    const Settings& settings_;
    QDate today_;
    MonthSheet sheet_;
    std::vector<DayTerms> terms_;
    QByteArray monthKey_;  // "YYYY/MM"
    ProjectTally projects_;
    LineRuns runs_;  // keyed by the day of the month
};

}  // namespace tallimer
