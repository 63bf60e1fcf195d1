#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <span>
#include <string_view>

#include "journal/journal.h"
#include "journal/project_collector.h"
#include "model/day_state.h"
#include "model/month_state.h"
#include "model/scan_sink.h"
#include "operations/settings_store.h"

namespace tallimer {

// What one read of the journal finds besides DayState and MonthState.
struct ScanRead {
    // 0 when the journal was read; else the errno of the failed open, or ENOMEM for a journal
    // too large for memory. DayState and MonthState then keep what they held.
    int error = 0;
    JournalMark mark;           // of the bytes read
    ProjectCollector projects;  // the project box's list
    QString projectEditText;    // the project box's edit text: the last line's project
};

// Reads the journal once and rebuilds DayState and MonthState for `selectedDate`, handing
// every step to each of `sinks` and every line to `lines` when given. Failures are reported,
// a missing journal (the normal state before the first entry) is not.
ScanRead ScanJournal(const Journal& journal, const Settings& settings, QDate selectedDate,
                     DayState& day, MonthState& month, std::span<ScanSink* const> sinks = {},
                     const LineVisitor& lines = {});

// The same scan over journal bytes already read.
ScanRead ScanBytes(std::string_view journal, const Settings& settings, QDate selectedDate,
                   DayState& day, MonthState& month, std::span<ScanSink* const> sinks = {});

// What the scan sets in the entry panel and toolbar.
struct ScanResult {
    bool opened = false;  // false: only removeEnabled (false) and openError apply
    int openError = 0;    // the errno of the failed open
    bool removeEnabled = false;
    QString statusText;
    QStringList projects;     // the project box's list
    QString projectEditText;  // the project box's edit text
};

// The panel's texts for a scan.
ScanResult PanelResultOf(const ScanRead& read, const DayState& day);

// ScanJournal for the store's journal, with the panel's texts.
ScanResult RescanJournal(const SettingsStore& store, QDate selectedDate, DayState& day,
                         MonthState& month, ScanSink* sink = nullptr);

// The scan over journal bytes already read.
ScanResult ScanJournalBytes(std::string_view journal, const Settings& settings, QDate selectedDate,
                            DayState& day, MonthState& month, ScanSink* sink = nullptr);

}  // namespace tallimer
