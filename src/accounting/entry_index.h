#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "accounting/entry_list.h"
#include "journal/journal_as_read.h"
#include "journal/line_runs.h"
#include "model/scan_sink.h"

namespace tallimer {

// The entry list for a reader that goes through it once, in display order, whatever the
// journal's size: the column titles, and where each date's rows lie in the journal, whose
// lines are read again as they are handed on. Its rows cost a few bytes a date, never their
// texts.
class EntryIndex : public ScanSink {
  public:
    void ListLine(std::string_view line, int32_t lineNumber, long long offset) override;

    // False until a first line was seen: a list without it shows neither columns nor rows.
    bool hasColumns() const { return hasColumns_; }
    const std::array<QString, 3>& titles() const { return titles_; }

    // Puts the rows in the list's display order as it opens (dates descending, collated;
    // rows of one date in journal order) once the scan that left `journal` is done.
    void Sort(const JournalAsRead& journal);
    // Hands on every row in display order, read again from `journal`; false when that read
    // failed (it is reported).
    bool ForEachRow(JournalAsRead& journal,
                    const std::function<void(const EntryList::Row&)>& visit) const;

  private:
    uint32_t DateId(std::string_view cell);

    bool hasColumns_ = false;
    std::array<QString, 3> titles_;
    LineRuns runs_;                  // keyed by the date cell's index in dates_
    std::deque<std::string> dates_;  // stays put as it grows
    std::unordered_map<std::string_view, uint32_t> dateIds_;  // views of dates_' texts
};

}  // namespace tallimer
