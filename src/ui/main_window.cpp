#include "ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QIcon>
#include <QListWidget>
#include <QPointer>
#include <QScreen>

#include "accounting/balance.h"
#include "journal/journal_line.h"
#include "operations/desktop_preferences_store.h"
#include "operations/remove_day_entries.h"
#include "operations/rescan_journal.h"
#include "operations/save_entry.h"
#include "operations/setup_form.h"
#include "operations/undo.h"
#include "platform/clock.h"
#include "platform/device_folder.h"
#include "platform/file.h"
#include "resources/string_table.h"
#include "ui/about_dialog.h"
#include "ui/commands.h"
#include "ui/day_summary_view.h"
#include "ui/dialog_builder.h"
#include "ui/entry_panel.h"
#include "ui/journal_watcher.h"
#include "ui/message_box.h"
#include "ui/setup_dialog.h"
#include "ui/toolbar.h"
#include "ui/tray.h"
#include "ui/undo_shortcut.h"
#include "ui/view_window.h"

namespace tallimer {

namespace {
// Group boxes draw their titles in the text colour of the controls, which a dark theme makes
// light: on the main window's white they take its dark window text instead.
void DarkTitlesOnWhite(QWidget* area) {
    for (QGroupBox* box : area->findChildren<QGroupBox*>()) {
        QPalette palette = box->palette();
        palette.setColor(QPalette::Text, palette.color(QPalette::WindowText));
        box->setPalette(palette);
    }
}

TimeRecord ClockRecord(QTime clock) {
    return {static_cast<uint16_t>(clock.hour()), static_cast<uint16_t>(clock.minute())};
}
}  // namespace

MainWindow::MainWindow() {
    setWindowTitle(LoadString(StringId::AppTitle));
    setWindowIcon(ProgramIcon());
    setFixedSize(kClientWidth, kClientHeight);
    // In the middle of the screen, where the boxes that start-up may show (before the window
    // itself) are centred too.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    // The handheld's white background, with the dark text that belongs on it whatever the
    // desktop's theme; the controls keep the theme's own colours.
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    setPalette(white);
    setAutoFillBackground(true);

    toolbar_ = new Toolbar(this);
    toolbar_->move(0, kToolbarTop);
    connect(toolbar_, &Toolbar::commandRaised, this, &MainWindow::command);

    panel_ = new EntryPanel(this);
    panel_->move(0, 0);
    connect(panel_, &EntryPanel::dateChanged, this, &MainWindow::onDateChanged);

    refreshTimer_.setInterval(TIMER_REFRESH_MS);
    connect(&refreshTimer_, &QTimer::timeout, this, [this] { refreshDaySummary(false); });

    // Another program's change to the journal is shown at once, as a date change is.
    watcher_ = new JournalWatcher(this);
    connect(watcher_, &JournalWatcher::changedOutside, this, [this] {
        rescanJournal();
        showTrayState();
    });

    new UndoShortcut(this, [this] { command(IDM_UNDO); });
}

MainWindow::~MainWindow() = default;

void MainWindow::startUp() {
    LoadSettings(store_);
    RemoveStaleTemporaries(store_);
    // A stored view outside the three shows the day summary.
    if (store_.settings.viewKind < ViewDaySummary || store_.settings.viewKind > ViewReport) {
        store_.settings.viewKind = ViewDaySummary;
    }
    const QDateTime clock = platform::LocalNow();
    panel_->setSelectedDate(clock.date());
    // At the clock even when the first scan finds no journal, so an automatic Start at the
    // very first start records the time, not a blank one.
    fillTimeListsAtClock();
    createView();
    toolbar_->setChecked(IDM_VIEW_DAY + store_.settings.viewKind);
    rescanJournal();
    if (store_.settings.automaticMode != 0 && day_.periodOpen == 0) {
        postCommand(IDM_SAVE);
    }
    refreshTimer_.start();
    newMonthCheck();
}

void MainWindow::createView() {
    view_ = ViewWindow::createForKind(store_.settings.viewKind, this);
    DarkTitlesOnWhite(view_);
    view_->move(0, kViewTop);
    view_->show();
    connect(view_, &ViewWindow::rescanRequested, this, [this] { rescanJournal(); });
}

void MainWindow::postCommand(int id) {
    QMetaObject::invokeMethod(
        this, [this, id] { command(id); }, Qt::QueuedConnection);
}

void MainWindow::command(int id) {
    switch (id) {
        case IDM_VIEW_DAY:
        case IDM_VIEW_LIST:
        case IDM_VIEW_REPORT:
            switchView(id - IDM_VIEW_DAY);
            break;
        case IDM_SAVE:
            saveEntryCommand();
            break;
        case IDM_REMOVE:
            removeCommand();
            break;
        case IDM_SETTINGS:
            setupCommand();
            break;
        case IDM_ABOUT:
            aboutCommand();
            break;
        case IDM_UNDO:
            undoCommand();
            break;
        case IDM_EXIT:
            if (exitCommand()) {
                return;
            }
            break;
        default:
            break;
    }
    showTrayState();
    // The main window's own background is painted again after every command.
    repaint();
}

bool MainWindow::exitCommand() {
    if (day_.periodOpen != 0 && store_.settings.automaticMode == 0 &&
        ShowMessage(this, StringId::DayNotClosedQuestion, MessageIcon::Exclamation,
                    MessageButtons::OkCancel) != MessageAnswer::Ok) {
        return false;
    }
    close();
    return true;
}

void MainWindow::setupCommand() {
    const QPointer<QWidget> hadFocus = QApplication::focusWidget();
    const QString journalBefore = store_.journalPath;
    SetupDialog dialog(
        store_,
        [this, journalBefore] {
            fillTimeListsAtClock();
            rescanJournal(journalBefore);
        },
        this);
    dialog.exec();
    if (hadFocus != nullptr) {
        hadFocus->setFocus();
    }
}

void MainWindow::aboutCommand() {
    const QPointer<QWidget> hadFocus = QApplication::focusWidget();
    AboutDialog dialog([this] { return exitCommand(); }, this);
    dialog.exec();
    if (!shutDown_ && hadFocus != nullptr) {
        hadFocus->setFocus();
    }
}

void MainWindow::newMonthCheck() {
    if (!NewMonthCheckAsks(month_.newMonthFlag, store_.settings)) {
        return;
    }
    if (ShowMessage(this, StringId::NewMonthOffer, MessageIcon::Information,
                    MessageButtons::OkCancel) == MessageAnswer::Ok) {
        ApplyNewMonthCap(store_.settings);
        SaveSettings(store_);
    }
    refreshDaySummary(true);
}

void MainWindow::saveEntryCommand() {
    const SaveEntryResult result = SaveEntry(panel_->readInput(), store_, day_);
    if (!result.success) {
        acknowledgeJournal();  // a header kept or a line cut back is no outside change
        if (result.messageId != 0) {
            ShowMessage(this, result.messageId, MessageIcon::Stop);
        }
        return;
    }
    if (result.projectToAppend) {
        panel_->appendProject(*result.projectToAppend);
    }
    if (result.preset) {
        // With the focus away from the lists they select the preset instead of reading back.
        QWidget* hadFocus = QApplication::focusWidget();
        panel_->project()->setFocus();
        panel_->syncTimeLists(*result.preset, store_.settings.minuteUnit);
        if (hadFocus != nullptr) {
            hadFocus->setFocus();
        }
    }
    panel_->setStatus(result.statusText);
    toolbar_->setButtonEnabled(IDM_REMOVE, result.removeEnabled);
    rescanJournal();
    if (store_.settings.automaticMode == 0) {
        ShowMessage(this, StringId::EntrySaved, MessageIcon::Information);
    }
}

void MainWindow::removeCommand() {
    const RemoveResult result = RemoveDayEntries(store_, day_);
    if (!result.success) {
        if (result.messageId != 0) {
            ShowMessage(this, result.messageId, MessageIcon::Stop);
        }
        return;
    }
    panel_->setStatus(result.statusText);
    toolbar_->setButtonEnabled(IDM_REMOVE, false);
    rescanJournal();
    ShowMessage(this, StringId::EntryRemoved, MessageIcon::Information);
}

void MainWindow::undoCommand() {
    const UndoResult result = UndoLastChange(store_, day_);
    if (!result.success) {
        ShowMessage(this, result.messageId,
                    result.messageId == StringId::NothingToUndo ? MessageIcon::Information
                                                                : MessageIcon::Stop);
        return;
    }
    rescanJournal();
    if (!platform::FileExists(store_.journalPath)) {
        // The undone save had created the journal: no scan, so the panel shows the empty day.
        panel_->setStatus(LoadString(StringId::StatusStart));
        refreshDaySummary(true);
    }
    if (result.messageId != 0) {
        ShowMessage(this, result.messageId, MessageIcon::Stop);  // undone, but not saved
    }
}

void MainWindow::switchView(int32_t viewKind) {
    store_.settings.viewKind = viewKind;
    delete view_;
    createView();
    rescanJournal();
}

void MainWindow::rescanJournal(const QString& journalBefore) {
    acknowledgeJournal();
    ScanSink* sink = view_ != nullptr ? view_->beginScan(store_.settings, month_) : nullptr;
    const QDate date = panel_->selectedDate();
    const ScanResult result =
        journalBefore.isEmpty() ? RescanJournal(store_, date, day_, month_, sink)
                                : RescanAfterSetup(store_, journalBefore, date, day_, month_, sink);
    toolbar_->setButtonEnabled(IDM_REMOVE, result.removeEnabled);
    if (!result.opened) {
        if (view_ != nullptr) {
            view_->scanFailed();
        }
        return;  // everything else keeps what it showed
    }
    panel_->applyScan(result);
    if (view_ != nullptr) {
        view_->endScan();
    }
    refreshDaySummary(true);
}

void MainWindow::showTrayState() {
    if (tray_ != nullptr) {
        tray_->showDay(day_.periodOpen != 0);
        // Another program's change to the journal takes the undo away.
        tray_->setCommandEnabled(IDM_UNDO, CanUndo(store_));
    }
}

void MainWindow::acknowledgeJournal() {
    watcher_->acknowledge(platform::HostPath(store_.journalPath));
}

void MainWindow::refreshDaySummary(bool forced) {
    const QDateTime clock = platform::LocalNow();
    if (!forced) {
        const RefreshTick tick = TickRefresh(refreshMemory_, clock, day_.periodOpen != 0);
        if (!tick.goesThrough) {
            return;
        }
        if (tick.moveToTodayAndRescan) {
            panel_->setSelectedDate(clock.date());
            rescanJournal();
        }
        if (tray_ != nullptr) {
            tray_->remind(clock, day_, store_.settings);
        }
    }
    const TimeRecord now =
        panel_->syncTimeLists(ClockRecord(clock.time()), store_.settings.minuteUnit);
    const DaySummaryTexts texts = DaySummaryAt(day_, store_.settings, now.hour * 60 + now.minute);
    if (tray_ != nullptr) {
        tray_->showDay(day_.periodOpen != 0);
        tray_->showSummary(texts);
    }
    auto* summary = qobject_cast<DaySummaryView*>(view_);
    if (summary == nullptr) {
        if (view_ != nullptr) {
            view_->repaint();
        }
        return;
    }
    summary->showSummary(texts, day_.periodOpen != 0, store_.settings);
}

void MainWindow::fillTimeListsAtClock() {
    panel_->fillTimeLists(store_.settings);
    panel_->syncTimeLists(ClockRecord(platform::LocalNow().time()), store_.settings.minuteUnit);
}

void MainWindow::onDateChanged(QDate date) {
    // Only a date that differs from the scanned one rescans.
    if (SelectedDateText(date) != day_.selectedDateText) {
        rescanJournal();
    }
}

void MainWindow::moveFocusToNextField() {
    // The panel's control that has the focus (the project box's text field counts as the
    // box); views have controls with the same ids, so only the panel is searched.
    int focused = -1;
    QWidget* w = QApplication::focusWidget();
    if (w != nullptr && panel_->isAncestorOf(w)) {
        for (; w != panel_ && focused < 0; w = w->parentWidget()) {
            focused = ControlId(w);
        }
    }
    int next = IDC_HOUR;
    switch (focused) {
        case IDC_HOUR:
            next = IDC_MINUTE;
            break;
        case IDC_MINUTE:
            next = IDC_PROJECT;
            break;
        case IDC_PROJECT:
            next = IDC_DATE;
            break;
        default:
            break;
    }
    if (QWidget* control = FindControl(panel_, next)) {
        control->setFocus(Qt::OtherFocusReason);
    }
}

KeyFilter::Actions MainWindow::keyActions() {
    return {
        [this] { moveFocusToNextField(); },
        [this] { postCommand(IDM_ABOUT); },
        [this] { postCommand(IDM_SAVE); },
        [this] { postCommand(IDM_REMOVE); },
    };
}

void MainWindow::bringToFront() {
    showNormal();
    raise();
    activateWindow();
}

void MainWindow::attachTray(std::unique_ptr<TrayPort> port) {
    tray_ = std::make_unique<Tray>(std::move(port), LoadDesktopPreferences());
    connect(tray_.get(), &Tray::commandRaised, this, [this](int id) {
        // The toolbar's check group shows the view, whoever switched it.
        if (id >= IDM_VIEW_DAY && id <= IDM_VIEW_REPORT) {
            toolbar_->setChecked(id);
        }
        command(id);
    });
    connect(tray_.get(), &Tray::clicked, this, &MainWindow::bringToFront);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Only the user's close box (the window system's request) may keep the program in the
    // tray; Exit and the session's end close from within and always end it.
    if (event->spontaneous() && tray_ != nullptr && tray_->preferences().keepRunningInTray) {
        hide();
        event->ignore();
        return;
    }
    runShutdown();
    event->accept();
}

void MainWindow::runShutdown() {
    if (shutDown_) {
        return;
    }
    shutDown_ = true;
    refreshTimer_.stop();
    if (day_.periodOpen != 0 && store_.settings.automaticMode != 0) {
        command(IDM_SAVE);  // the automatic Stop, sent
    }
    SaveSettings(store_);
    emit shutDown();
}

}  // namespace tallimer
