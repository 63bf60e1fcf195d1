#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <string_view>

#include "accounting/month_state.h"
#include "journal/day_state.h"
#include "settings/settings_store.h"

namespace tallimer {

// Receives the lines the scan hands on to the shown view. The views convert what they keep.
class ScanSink {
  public:
    virtual ~ScanSink() = default;
    // Report view: before the first line.
    virtual void BeginReport(const DayState& /*day*/, const MonthState& /*month*/) {}
    // Report view: a line of the selected day, after DayState took it in.
    virtual void DayLine(int32_t /*entryCount*/, int32_t /*entryTime*/,
                         std::string_view /*project*/) {}
    // Report view: a line of the selected month.
    virtual void MonthLine(std::string_view /*line*/, int32_t /*entryTime*/,
                           std::string_view /*project*/) {}
    // Entry list view: every line, the first one (line number 0) included.
    virtual void ListLine(std::string_view /*line*/, int32_t /*lineNumber*/) {}
    // Report view: after the status text is set.
    virtual void FinishReport(const DayState& /*day*/, const MonthState& /*month*/) {}
};

// What the scan sets in the entry panel and toolbar.
struct ScanResult {
    bool opened = false;  // false: only removeEnabled (false) applies
    bool removeEnabled = false;
    QString statusText;
    QStringList projects;     // the project box's list
    QString projectEditText;  // the project box's edit text
};

// Rereads the whole journal and rebuilds DayState and MonthState for `selectedDate`. A journal
// that cannot be opened changes nothing; the result then only disables Remove.
ScanResult RescanJournal(const SettingsStore& store, QDate selectedDate, DayState& day,
                         MonthState& month, ScanSink* sink = nullptr);

// The scan over journal bytes already read.
ScanResult ScanJournalBytes(std::string_view journal, const Settings& settings, QDate selectedDate,
                            DayState& day, MonthState& month, ScanSink* sink = nullptr);

}  // namespace tallimer
