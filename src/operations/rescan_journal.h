#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <string_view>

#include "model/day_state.h"
#include "model/month_state.h"
#include "model/scan_sink.h"
#include "operations/settings_store.h"

namespace tallimer {

// What the scan sets in the entry panel and toolbar.
struct ScanResult {
    bool opened = false;  // false: only removeEnabled (false) and openError apply
    int openError = 0;    // the errno of the failed open
    bool removeEnabled = false;
    QString statusText;
    QStringList projects;     // the project box's list
    QString projectEditText;  // the project box's edit text
};

// Rereads the whole journal and rebuilds DayState and MonthState for `selectedDate`, handing
// every step to `sink` when there is one. A journal that cannot be opened, or one too large
// for memory, changes nothing but the sink; the result then only disables Remove.
ScanResult RescanJournal(const SettingsStore& store, QDate selectedDate, DayState& day,
                         MonthState& month, ScanSink* sink = nullptr);

// The scan over journal bytes already read.
ScanResult ScanJournalBytes(std::string_view journal, const Settings& settings, QDate selectedDate,
                            DayState& day, MonthState& month, ScanSink* sink = nullptr);

}  // namespace tallimer
