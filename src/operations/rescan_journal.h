#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "journal/journal.h"
#include "journal/project_collector.h"
#include "model/day_state.h"
#include "model/days_book.h"
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

// The scan over the lines handed to it, for a read run by someone else (Remove's copy). The
// day and the month are rebuilt in place from the first line on, or by Finish for a journal
// without lines; `read` takes the project box's list and edit text.
class JournalScan {
  public:
    // `days`: the days off and week plans that give the selected day its terms; none, when
    // not given. `listProjects`: whether `read` is to take the project box's list.
    JournalScan(const Settings& settings, QDate selectedDate, DayState& day, MonthState& month,
                std::span<ScanSink* const> sinks, ScanRead& read, const DaysBook* days = nullptr,
                bool listProjects = true)
        : settings_(settings),
          days_(days),
          date_(selectedDate),
          day_(day),
          month_(month),
          sinks_(sinks),
          read_(read),
          listProjects_(listProjects) {}

    void Line(std::string_view line, long long offset = -1);
    void Finish();

  private:
    void Begin();

    const Settings& settings_;
    const DaysBook* days_;
    QDate date_;
    DayState& day_;
    MonthState& month_;
    std::span<ScanSink* const> sinks_;
    std::vector<ScanSink*> lineSinks_;  // those of sinks_ that take every line
    ScanRead& read_;
    bool listProjects_;
    bool begun_ = false;
    QByteArray dateKey_;
    QByteArray monthKey_;
    std::string lastProject_;         // bytes of the last line read
    bool lastProjectListed_ = false;  // whether the project box's list holds them
    int32_t lineNumber_ = -1;
};

// What a scan does besides rebuilding the day and the month.
struct ScanExtras {
    LineVisitor lines;               // handed every line, when given
    JournalAsRead* keep = nullptr;   // left holding the file read, when given
    const DaysBook* days = nullptr;  // the selected day's terms; none, when not given
    bool listProjects = true;        // the project box's list, which only some callers show
};

// Reads the journal once and rebuilds DayState and MonthState for `selectedDate`, handing
// every step to each of `sinks`. Failures are reported, a missing journal (the normal state
// before the first entry) is not.
ScanRead ScanJournal(const Journal& journal, const Settings& settings, QDate selectedDate,
                     DayState& day, MonthState& month, std::span<ScanSink* const> sinks = {},
                     const ScanExtras& extras = {});

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

// ScanJournal for the store's journal, with the panel's texts.
ScanResult RescanJournal(const SettingsStore& store, QDate selectedDate, DayState& day,
                         MonthState& month, ScanSink* sink = nullptr);

// The scan over journal bytes already read.
ScanResult ScanJournalBytes(std::string_view journal, const Settings& settings, QDate selectedDate,
                            DayState& day, MonthState& month, ScanSink* sink = nullptr);

}  // namespace tallimer
