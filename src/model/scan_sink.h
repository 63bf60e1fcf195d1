#pragma once

#include <cstdint>
#include <string_view>

#include "model/day_state.h"

namespace tallimer {

// Receives what the scan hands on: a sink gets every step below, and keeps what it needs.
// The views convert what they keep; the bytes handed on hold only during the call.
class ScanSink {
  public:
    virtual ~ScanSink() = default;
    // Report view: before the first line.
    virtual void BeginReport(const DayState& /*day*/) {}
    // Report view: a line of the selected day, after DayState took it in.
    virtual void DayLine(int32_t /*entryCount*/, int32_t /*entryTime*/,
                         std::string_view /*project*/) {}
    // Report view: a line of the selected month.
    virtual void MonthLine(std::string_view /*line*/, int32_t /*entryTime*/,
                           std::string_view /*project*/) {}
    // Entry list view: every line, the first one (line number 0) included, with the offset
    // of its bytes in the journal (-1 where the lines do not come from the journal's file).
    virtual void ListLine(std::string_view /*line*/, int32_t /*lineNumber*/, long long /*offset*/) {
    }
    // Whether this sink wants ListLine: one that keeps only the day and the month says no,
    // and is spared a call for every line of the journal.
    virtual bool TakesEveryLine() const { return true; }
    // Report view: after the status text is set.
    virtual void FinishReport(const DayState& /*day*/) {}
};

}  // namespace tallimer
