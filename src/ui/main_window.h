#pragma once

#include <QTimer>
#include <QWidget>
#include <memory>

#include "accounting/day_summary.h"
#include "model/day_state.h"
#include "model/month_state.h"
#include "operations/settings_store.h"
#include "ui/key_filter.h"

namespace tallimer {

class EntryPanel;
class JournalWatcher;
class Toolbar;
class Tray;
class TrayPort;
class ViewWindow;

// The one top-level window: entry panel, toolbar and view stacked in a 240 x 294 client area.
// It owns the program's state and turns every command into the core's operations.
class MainWindow : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kClientWidth = 240;
    static constexpr int kClientHeight = 294;
    static constexpr int kToolbarTop = 62;
    static constexpr int kViewTop = 97;

    // Creates the toolbar and the entry panel; nothing is read yet.
    MainWindow();
    ~MainWindow() override;

    // The application start-up: settings, lists, view, first scan, automatic Start, refresh
    // timer. Run once, before the window is shown.
    void startUp();

    // The command dispatcher ("sent": runs now) and its queued form ("posted").
    void command(int id);
    void postCommand(int id);

    // The program's refresh: rereads the journal and updates panel, toolbar and view. With
    // `journalBefore`, it is the rescan after Setup, which may have moved the journal.
    void rescanJournal(const QString& journalBefore = {});
    // The live refresh; unforced it works once per clock minute.
    void refreshDaySummary(bool forced);

    // The Enter character: the focus walks hour, minute, project, date, hour.
    void moveFocusToNextField();
    // What the hardware keys do in this window.
    KeyFilter::Actions keyActions();
    // A later start of the program asked for this window.
    void bringToFront();
    // Shows the day in a tray icon and raises the commands from its menu; before startUp.
    void attachTray(std::unique_ptr<TrayPort> port);

    EntryPanel* entryPanel() const { return panel_; }
    Toolbar* toolbar() const { return toolbar_; }
    ViewWindow* viewWindow() const { return view_; }
    const SettingsStore& store() const { return store_; }
    const DayState& dayState() const { return day_; }
    QTimer& refreshTimer() { return refreshTimer_; }
    Tray* tray() const { return tray_.get(); }
    JournalWatcher* journalWatcher() const { return watcher_; }

  signals:
    // The shutdown sequence has run; the program ends with exit code 0.
    void shutDown();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void saveEntryCommand();
    void setupCommand();
    void aboutCommand();
    // Ends the program unless a period is open outside automatic mode and the user does not
    // confirm; true when it ends.
    bool exitCommand();
    // At start-up: offers to cap the balance at the maximum in a new month.
    void newMonthCheck();
    void removeCommand();
    // Desktop only: takes the last Save Entry or Remove back.
    void undoCommand();
    void switchView(int32_t viewKind);
    void createView();
    void onDateChanged(QDate date);
    // Refills the time lists and selects the clock's time in them: the rescan that follows
    // does so too, but not when the journal cannot be opened (none yet), and lists without a
    // selection would save a blank time.
    void fillTimeListsAtClock();
    void runShutdown();
    // The journal as it is now is the program's own: no rescan for it.
    void acknowledgeJournal();
    // The tray's icon and its Undo item after a command or another program's change.
    void showTrayState();

    SettingsStore store_;
    DayState day_;
    MonthState month_;
    RefreshMemory refreshMemory_;
    QTimer refreshTimer_;
    EntryPanel* panel_ = nullptr;
    Toolbar* toolbar_ = nullptr;
    ViewWindow* view_ = nullptr;
    std::unique_ptr<Tray> tray_;
    JournalWatcher* watcher_ = nullptr;
    bool shutDown_ = false;
};

}  // namespace tallimer
