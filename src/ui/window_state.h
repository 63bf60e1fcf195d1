#pragma once

#include <QDate>
#include <QDateTime>
#include <optional>

#include "accounting/time_lists.h"
#include "model/scan_sink.h"
#include "operations/tracker.h"
#include "ui/message_box.h"
#include "ui/window_actions.h"

namespace tallimer {

// What of the state's snapshot the entry panel takes.
enum class PanelChange { None, Status, Whole };
// What the view does after a command: nothing, a rescan to be refilled, or show what the
// command's read fed it (Fed) or give up what it could not keep (FeedFailed).
enum class ViewChange { None, Rescan, Fed, FeedFailed };

// What a command leaves the window to show, in this order: the panel's changes, the view's,
// a forced summary refresh, one message box.
struct CommandOutcome {
    bool journalIsOwn = false;  // the journal as it is now is ours: the watch takes it as known
    PanelChange panel = PanelChange::None;
    std::optional<TimeRecord> preset;  // the lists' selection after a day's first entry
    ViewChange view = ViewChange::None;
    bool refreshSummary = false;
    int messageId = 0;  // 0: no box
    MessageIcon icon = MessageIcon::Information;
    QString notice;  // the window's notice line until the next command; empty: none
};

// The window's side of the Tracker, without widgets: each command runs the Tracker's member,
// keeps its snapshot and says what the window shows of it and which box tells the outcome.
class WindowState {
  public:
    // The stored settings, stale temporaries gone, a view outside the three taken as the day
    // summary, and the minute unit usable.
    void load();

    // `unseenChange`: the journal differs from what the program last read or wrote, a change
    // the watch has not reported yet.
    CommandOutcome saveEntry(const EntryPanelInput& input, bool unseenChange);
    // `view`: the shown view's sink, fed from the command's own read (none: nullptr).
    CommandOutcome removeDayEntries(ScanSink* view);
    CommandOutcome undoLastChange(ScanSink* view);
    // Days off changed from outside the window (a later start's request): `outcome` tells the
    // change; what the window shows needs no box.
    CommandOutcome changeDays(const DaysEdit& edit, ScanSink* view, DaysOutcome& outcome,
                              LedgerReason reason = LedgerReason::DaysFile);
    // The editor's rows for the day it read at `mark`; `outcome` tells the editor whether to
    // close.
    CommandOutcome editDay(const DayEntryRows& rows, const JournalMark& mark, ScanSink* view,
                           EditDayOutcome& outcome);
    // What the window shows after Setup's dialog applied its form (through tracker()).
    CommandOutcome setupApplied(const Done<SetupOutcome>& done);
    // Rereads the journal for `date`, feeding `view`.
    CommandOutcome rescan(QDate date, ScanSink* view);
    void setViewKind(int32_t viewKind) { tracker_.setViewKind(viewKind); }

    // Whether the scanned day is another than `date`.
    bool isOtherDate(QDate date) const;
    // At start-up: the automatic Start; at the end: the automatic Stop.
    bool startsAutomatically() const;
    bool stopsAutomatically() const { return tracker_.automaticStopDue(); }
    // Exit asks first while a period is open outside automatic mode.
    bool exitAsks() const;
    // Save asks first for an entry of today at a time the clock at `now` has not reached.
    bool saveAsks(const EntryPanelInput& input, const QDateTime& now) const;
    // At start-up in a new month: the offer to cap the balance at the maximum, and the cap.
    bool newMonthAsks() const { return tracker_.newMonthCapAsked(); }
    void capBalanceForNewMonth() { tracker_.capNewMonth(); }
    void saveOnShutdown() { tracker_.saveOnShutdown(); }
    // Which commands can run, as the last command or scan left them.
    CommandStates commandStates() const { return {snapshot_.removeEnabled, snapshot_.canUndo}; }

    Tracker& tracker() { return tracker_; }
    const SettingsStore& store() const { return tracker_.store(); }
    const Settings& settings() const { return tracker_.settings(); }
    // What the last command or scan left the views to show.
    const Snapshot& snapshot() const { return snapshot_; }
    const DayState& day() const { return snapshot_.day; }
    MonthState& month() { return tracker_.month(); }
    const DaysBook& days() const { return tracker_.days(); }
    bool periodOpen() const { return snapshot_.day.periodOpen != 0; }
    // The scanned day's day off, or nullptr.
    const DayOff* dayOff() const { return tracker_.days().dayOff(tracker_.selectedDate()); }

  private:
    // The panel and the view after a Remove, undo or Setup whose read ended with `error`.
    CommandOutcome shownAfterRead(int error);

    Tracker tracker_;
    Snapshot snapshot_;
    // The day is the journal's as last read or written: a Save need not read it again.
    bool dayIsRead_ = false;
};

}  // namespace tallimer
