#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QSet>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <optional>

#include "accounting/day_summary.h"
#include "model/desktop_preferences.h"
#include "operations/day_off_request.h"
#include "ui/key_filter.h"
#include "ui/window_state.h"

class QAction;

namespace tallimer {

namespace platform {
class SessionSignals;
}
struct AbsenceRecords;
class EntryPanel;
class JournalWatcher;
class NoticeLine;
class SessionFollower;
class Toolbar;
class Tray;
class TrayPort;
class ViewWindow;
class WindowActions;

// The one top-level window: entry panel, toolbar and view stacked in a 240 x 294 client area.
// It wires the widgets to the window's actions and to the state behind them (WindowState, over
// the Tracker), and shows what each command gives back.
class MainWindow : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kClientWidth = 240;
    static constexpr int kClientHeight = 294;
    static constexpr int kToolbarTop = 62;
    static constexpr int kViewTop = 97;

    // Creates the actions, the toolbar and the entry panel; nothing is read yet.
    MainWindow();
    ~MainWindow() override;

    // The application start-up: settings, lists, view, first scan, automatic Start, refresh
    // timer, new-month check. Run once, before the window is shown (window_startup.cpp).
    void startUp();

    // The command's action (IDM_*), which the toolbar, the keys, the menus and Ctrl+Z share.
    QAction* action(int command) const;

    // The program's refresh: rereads the journal and updates panel, actions and view.
    void rescanJournal();
    // The live refresh; unforced it works once per clock minute.
    void refreshDaySummary(bool forced);

    // What the hardware keys do in this window.
    KeyFilter::Actions keyActions();
    // A later start's days-off request (RequestText's line): applied here, so the balance
    // this window holds and saves stays right; gives the reply line (ReplyText's).
    QByteArray changeDaysOff(QByteArrayView requestText);
    // A later start of the program, or the tray, asked for this window; a later start hands on
    // the activation token its launcher gave it, if any.
    void bringToFront(QByteArrayView activationToken = {});
    // Desktop only: the whole window at `percent` of the handheld's layout (a step of
    // kZoomSteps), remembered in desktop.ini when `remember`.
    void setZoom(int percent, bool remember = true);
    int zoom() const { return zoom_; }
    // Shows the day in a tray icon whose menu holds the window's actions; before startUp, or
    // after it when the desktop's panel came later.
    void attachTray(std::unique_ptr<TrayPort> port);
    // Follows the session's screen lock and suspend for automatic mode (window_session.cpp).
    void attachSession(std::unique_ptr<platform::SessionSignals> source);

    EntryPanel* entryPanel() const { return panel_; }
    Toolbar* toolbar() const { return toolbar_; }
    ViewWindow* viewWindow() const { return view_; }
    const SettingsStore& store() const { return state_.store(); }
    const DayState& dayState() const { return state_.day(); }
    QTimer& refreshTimer() { return refreshTimer_; }
    Tray* tray() const { return tray_.get(); }
    JournalWatcher* journalWatcher() const { return watcher_; }
    NoticeLine* notice() const { return notice_; }

  signals:
    // The shutdown sequence has run; the program ends with exit code 0.
    void shutDown();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void bindCommands();
    // Every command ends with the actions' states and the tray brought up to date.
    void afterCommand();
    void saveEntryCommand();
    void removeCommand();
    // Desktop only: takes the last Save Entry or Remove back.
    void undoCommand();
    // Desktop only: the days off from the window (window_days_off.cpp).
    void dayOffCommand();
    void importHolidaysCommand();
    void workingWeekCommand();
    // Applies an edit of the days off or week plans as every change of the days does; a failure
    // is told in a box when `tellsFailure` (a handed-over request answers with its reply line
    // instead).
    DaysOutcome changeDays(const DaysEdit& edit, bool tellsFailure, LedgerReason reason);
    // Watches the days file at the store's path, booking what changed while none watched, and
    // books each change made to it by hand.
    void watchDaysFile();
    void bookDaysFile();
    // Desktop only: the selected day's entries in a table (window_edit_day.cpp), and the same
    // for `date`, selected first (a double click in the entry list).
    void editDayCommand();
    void editDayOf(QDate date);
    // Desktop only: the selected date's month as a timesheet to save or print
    // (window_timesheet.cpp).
    void timesheetCommand();
    // Tells, once a run for each day, of a period that a day before today left open, and offers
    // to edit that day (window_open_day.cpp).
    void tellOpenEarlierDay();
    // Once, at the start that found the ledger out of step with the balance and corrected it.
    void tellLedgerCorrected();
    void setupCommand();
    void aboutCommand();
    // Ends the program unless the user does not confirm the open period; true when it ends.
    bool exitCommand();
    void switchView(int32_t viewKind);
    void createView();
    // Shows what a command gave back (window_refresh.cpp).
    void present(const CommandOutcome& outcome);
    // The shown view's sink for the read about to run (none for the day summary).
    ScanSink* beginViewScan();
    void updateCommandStates();
    void onDateChanged(QDate date);
    // Refills the time lists and selects the clock's time in them: the rescan that follows
    // does so too, but not when the journal cannot be opened (none yet), and lists without a
    // selection would save a blank time.
    void fillTimeListsAtClock();
    // The journal as it is now is the program's own: no rescan for it.
    void acknowledgeJournal();
    // At start-up: offers to cap the balance at the maximum in a new month.
    void newMonthCheck();
    void runShutdown();
    // Desktop only: the session (window_session.cpp). The switches' commands; what a long
    // absence leaves to record; the automatic Stop of the shutdown, at an absence's start
    // while a long one lasts; a Stop at `at`; the day of `date` shown.
    void bindSession();
    void recordAbsence(const AbsenceRecords& records);
    void automaticStop();
    void saveStopAt(const QDateTime& at);
    void showDay(QDate date);

    WindowState state_;
    RefreshMemory refreshMemory_;
    std::optional<Snapshot> lastShown_;  // the panel as the last read left it, for a column click
    QTimer refreshTimer_;
    WindowActions* actions_ = nullptr;
    EntryPanel* panel_ = nullptr;
    Toolbar* toolbar_ = nullptr;
    ViewWindow* view_ = nullptr;
    std::unique_ptr<Tray> tray_;
    JournalWatcher* watcher_ = nullptr;
    JournalWatcher* daysWatcher_ = nullptr;
    NoticeLine* notice_ = nullptr;
    int zoom_ = 100;
    SessionFollower* session_ = nullptr;
    // desktop.ini as start-up read it, once, for the zoom, the session and the tray.
    DesktopPreferences preferences_;
    QSet<QDate> toldOpenDays_;
    bool shutDown_ = false;
};

}  // namespace tallimer
