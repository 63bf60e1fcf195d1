#pragma once

#include <QDate>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "journal/journal_as_read.h"
#include "journal/line_runs.h"
#include "model/day_state.h"
#include "model/days_book.h"
#include "model/settings.h"

namespace tallimer {

// One period of work: an opening line and, once closed, the line that closed it.
struct Period {
    QDate date;                   // invalid when the journal's date cannot exist (2026/02/30)
    QString dateText;             // then the date as the journal holds it; empty otherwise
    int32_t start = 0;            // minutes since midnight
    std::optional<int32_t> stop;  // as written; none while the period is open
    // What the balance counts: the stop capped at the cut-off, less the start; 0 while open.
    int32_t minutes = 0;
    QString project;      // of the opening line
    QString stopProject;  // of the closing line; empty while open
    // The day off the period falls on, with a days book.
    std::optional<DayOffKind> dayOff;
    bool half = false;
};

// Every period of the journal, from its lines handed on one at a time; the lines of each date
// pair by position as the scan pairs them. A date that cannot exist (2026/02/30) has its
// periods too, as the report counts them. The scan leaves only where each date's lines lie,
// a few bytes a date; the periods are made from those lines, read again, as they are handed
// on, so a journal of any size costs the same memory here.
class PeriodList {
  public:
    // `days`, when given, is read as the periods are handed on and names each one's day off.
    explicit PeriodList(const Settings& settings, const DaysBook* days = nullptr)
        : settings_(settings), days_(days) {}
    // Whether a days book holds anything: only then do the periods tell their days off.
    bool withDays() const { return days_ != nullptr && !days_->empty(); }
    // A journal line as CutLine leaves it, at `offset` in the journal; lines without a date
    // pass untouched.
    void AddLine(std::string_view line, long long offset);
    // Hands on every period ordered by date, the periods of one date in journal order, made
    // from the lines read again from `journal`, which the scan left; false when that read
    // failed (it is reported).
    bool ForEach(JournalAsRead& journal, const std::function<void(const Period&)>& visit);

  private:
    const QString& ProjectText(std::string_view bytes, size_t slot);

    const Settings& settings_;
    const DaysBook* days_;
    LineRuns runs_;  // keyed by LineDateNumber, so a date that cannot exist has its place too
    // The date bytes and key of the line before: a journal's lines come a day at a time.
    std::array<char, 10> lastDate_{};
    uint32_t lastKey_ = 0;
    bool hasLastDate_ = false;
    // The last project texts made, for starts (0) and stops (1): a day repeats its projects.
    std::array<std::string, 2> projectBytes_;
    std::array<QString, 2> projectTexts_;
};

}  // namespace tallimer
