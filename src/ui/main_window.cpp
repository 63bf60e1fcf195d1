#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QShortcut>

#include "model/zoom_steps.h"
#include "operations/desktop_preferences_store.h"
#include "platform/clock.h"
#include "resources/string_table.h"
#include "ui/about_dialog.h"
#include "ui/activation_token.h"
#include "ui/commands.h"
#include "ui/dialog_builder.h"
#include "ui/entry_list_view.h"
#include "ui/entry_panel.h"
#include "ui/journal_watcher.h"
#include "ui/modal_dialog.h"
#include "ui/notice_line.h"
#include "ui/setup_dialog.h"
#include "ui/toolbar.h"
#include "ui/tray.h"
#include "ui/undo_shortcut.h"
#include "ui/view_window.h"
#include "ui/window_actions.h"
#include "ui/zoom.h"

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

// The focus goes back where it was before a dialog opened.
void FocusAgain(const QPointer<QWidget>& hadFocus) {
    if (hadFocus != nullptr) {
        hadFocus->setFocus();
    }
}
}  // namespace

MainWindow::MainWindow() {
    setWindowTitle(LoadString(StringId::AppTitle));
    setWindowIcon(ProgramIcon());
    setFixedSize(kClientWidth, kClientHeight);
    // The handheld's white background, with the dark text that belongs on it whatever the
    // desktop's theme; the controls keep the theme's own colours.
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    setPalette(white);
    setAutoFillBackground(true);

    actions_ = new WindowActions(this);
    bindCommands();
    preferences_ = LoadDesktopPreferences();
    bindSession();
    new UndoShortcut(this);
    // The context menu holds what the tray menu holds, so every command can be reached from
    // the keyboard too: F10 opens it wherever the focus is (the date and project fields have
    // context menus of their own, which take the Menu key).
    for (const int command : MenuCommands()) {
        if (command != 0) {
            addAction(actions_->action(command));
        } else {
            auto* separator = new QAction(this);
            separator->setSeparator(true);
            addAction(separator);
        }
    }
    // Zoom, for the window alone, after the commands.
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    addActions({separator, actions_->action(IDM_ZOOM_IN), actions_->action(IDM_ZOOM_OUT),
                actions_->action(IDM_ZOOM_RESET)});
    setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, this,
            [this] { QMenu::exec(actions(), mapToGlobal(QPoint(0, kToolbarTop))); });

    toolbar_ = new Toolbar(*actions_, this);
    toolbar_->move(0, kToolbarTop);
    panel_ = new EntryPanel(this);
    panel_->move(0, 0);
    connect(panel_, &EntryPanel::dateChanged, this, &MainWindow::onDateChanged);

    refreshTimer_.setInterval(TIMER_REFRESH_MS);
    connect(&refreshTimer_, &QTimer::timeout, this, [this] { refreshDaySummary(false); });

    // Another program's change to the journal is shown at once, as a date change is.
    watcher_ = new JournalWatcher(this);
    connect(watcher_, &JournalWatcher::changedOutside, this, [this] { rescanJournal(); });
    daysWatcher_ = new JournalWatcher(this);
    connect(daysWatcher_, &JournalWatcher::changedOutside, this, [this] { bookDaysFile(); });
    notice_ = new NoticeLine(this);

    // The zoom stored, else one that suits the screen; then in the middle of the screen, where
    // the boxes that start-up may show (before the window itself) are centred too.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int stored = preferences_.zoom;
    setZoom(stored != 0         ? NearestZoomStep(stored)
            : screen != nullptr ? DefaultZoom(screen->availableGeometry().height())
                                : 100,
            false);
    if (screen != nullptr) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void MainWindow::setZoom(int percent, bool remember) {
    zoom_ = percent;
    ZoomWidgets(this, percent);
    panel_->setZoom(percent);
    toolbar_->setZoom(percent);
    if (view_ != nullptr) {
        view_->setZoom(percent);
    }
    if (notice_->isVisible()) {
        notice_->tell(notice_->text());  // across the new foot
    }
    if (remember) {
        SaveZoom(percent);
    }
}

MainWindow::~MainWindow() = default;

QAction* MainWindow::action(int command) const {
    return actions_->action(command);
}

void MainWindow::bindCommands() {
    // What the last command told in the notice line stays until the next one.
    const auto bind = [this](int command, auto member) {
        actions_->bind(command, [this, member] {
            notice_->hide();
            (this->*member)();
            afterCommand();
        });
    };
    bind(IDM_SAVE, &MainWindow::saveEntryCommand);
    bind(IDM_REMOVE, &MainWindow::removeCommand);
    bind(IDM_UNDO, &MainWindow::undoCommand);
    bind(IDM_DAY_OFF, &MainWindow::dayOffCommand);
    bind(IDM_IMPORT_HOLIDAYS, &MainWindow::importHolidaysCommand);
    bind(IDM_WORKING_WEEK, &MainWindow::workingWeekCommand);
    bind(IDM_EDIT_DAY, &MainWindow::editDayCommand);
    bind(IDM_TIMESHEET, &MainWindow::timesheetCommand);
    bind(IDM_SETTINGS, &MainWindow::setupCommand);
    bind(IDM_ABOUT, &MainWindow::aboutCommand);
    for (const int32_t kind : {ViewDaySummary, ViewEntryList, ViewReport}) {
        actions_->bind(IDM_VIEW_DAY + kind, [this, kind] {
            notice_->hide();
            switchView(kind);
            afterCommand();
        });
    }
    actions_->bind(IDM_ZOOM_IN, [this] { setZoom(NextZoomStep(zoom_, +1)); });
    actions_->bind(IDM_ZOOM_OUT, [this] { setZoom(NextZoomStep(zoom_, -1)); });
    actions_->bind(IDM_ZOOM_RESET, [this] { setZoom(100); });
    actions_->bind(IDM_EXIT, [this] {
        if (!exitCommand()) {
            afterCommand();
        }
    });
}

void MainWindow::afterCommand() {
    updateCommandStates();
    if (tray_ != nullptr) {
        tray_->showDay(state_.periodOpen());
    }
    // The main window's own background is painted again after every command.
    repaint();
}

void MainWindow::saveEntryCommand() {
    const EntryPanelInput input = panel_->readInput();
    // A time the clock has not reached is saved only when the user says so. Never asked in
    // the shutdown, whose automatic Stop no box may hold up.
    if (!shutDown_ && state_.saveAsks(input, platform::LocalNow())) {
        const MessageAnswer answer = ShowMessage(this, StringId::FutureEntryQuestion,
                                                 MessageIcon::Question, MessageButtons::YesNo);
        // A box left open past midnight may have moved the panel to the new day: the entry
        // asked about is no longer the shown day's.
        if (answer != MessageAnswer::Yes || panel_->selectedDate() != input.date) {
            return;
        }
    }
    present(state_.saveEntry(input, watcher_->hasUnseenChange()));
}

void MainWindow::removeCommand() {
    present(state_.removeDayEntries(beginViewScan()));
}

void MainWindow::undoCommand() {
    present(state_.undoLastChange(beginViewScan()));
}

void MainWindow::setupCommand() {
    const QPointer<QWidget> hadFocus = QApplication::focusWidget();
    SetupDialog dialog(
        state_.tracker(), [this] { return beginViewScan(); },
        [this](const Done<SetupOutcome>& done) {
            const CommandOutcome outcome = state_.setupApplied(done);
            fillTimeListsAtClock();
            present(outcome);
        },
        this);
    ExecModal(dialog);
    FocusAgain(hadFocus);
}

void MainWindow::aboutCommand() {
    const QPointer<QWidget> hadFocus = QApplication::focusWidget();
    AboutDialog dialog([this] { return exitCommand(); }, this);
    ExecModal(dialog);
    if (!shutDown_) {
        FocusAgain(hadFocus);
    }
}

bool MainWindow::exitCommand() {
    if (state_.exitAsks() &&
        ShowMessage(this, StringId::DayNotClosedQuestion, MessageIcon::Exclamation,
                    MessageButtons::OkCancel) != MessageAnswer::Ok) {
        return false;
    }
    close();
    return true;
}

void MainWindow::switchView(int32_t viewKind) {
    state_.setViewKind(viewKind);
    delete view_;
    createView();
    rescanJournal();
}

void MainWindow::createView() {
    view_ = ViewWindow::createForKind(state_.settings().viewKind, this);
    DarkTitlesOnWhite(view_);
    view_->move(0, kViewTop);
    view_->setZoom(zoom_);
    view_->show();
    // A column click reorders the rows the list holds and otherwise acts as the rescan it
    // stands for: the panel and the summary are shown again from the last scan, which the
    // watch keeps current, without reading the journal.
    if (auto* list = qobject_cast<EntryListView*>(view_)) {
        connect(list, &EntryListView::resorted, this, [this] {
            if (lastShown_) {
                panel_->showSnapshot(*lastShown_);
            }
            refreshDaySummary(true);
        });
    }
    connect(view_, &ViewWindow::dayActivated, this, &MainWindow::editDayOf,
            Qt::QueuedConnection);  // the view is refilled: not inside its own click
    // The view's button shows it checked, whoever switched it.
    actions_->showView(state_.settings().viewKind);
}

KeyFilter::Actions MainWindow::keyActions() {
    return {
        [this] { panel_->moveFocusToNextField(); },
        [this] { actions_->post(IDM_ABOUT); },
        [this] { actions_->post(IDM_SAVE); },
        [this] { actions_->post(IDM_REMOVE); },
    };
}

void MainWindow::bringToFront(QByteArrayView activationToken) {
    showNormal();
    raise();
    // On Wayland only a token lets the window take the focus; elsewhere Qt ignores it.
    ActivateWithToken(activationToken, [this] { activateWindow(); });
}

void MainWindow::attachTray(std::unique_ptr<TrayPort> port) {
    tray_ = std::make_unique<Tray>(std::move(port), preferences_, *actions_);
    connect(tray_.get(), &Tray::clicked, this, [this] { bringToFront(); });
    connect(tray_.get(), &Tray::openDayClicked, this, [this](QDate date) {
        bringToFront();
        editDayOf(date);
    });
    // Started already: the icon and tooltip show the day at once, not at the next minute.
    if (refreshTimer_.isActive()) {
        refreshDaySummary(true);
    }
}

}  // namespace tallimer
