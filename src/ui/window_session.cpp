// The main window and the desktop session: the switches in the menus, and in automatic mode a
// Stop when the screen is locked or the computer suspended for long, a Start at the return.
#include <QApplication>

#include "platform/clock.h"
#include "platform/session_signals.h"
#include "ui/commands.h"
#include "ui/entry_panel.h"
#include "ui/journal_watcher.h"
#include "ui/main_window.h"
#include "ui/notice_line.h"
#include "ui/session_follower.h"
#include "ui/window_actions.h"

namespace tallimer {

void MainWindow::bindSession() {
    SessionFollower::Window window;
    window.owner = this;
    window.automaticMode = [this] { return state_.settings().automaticMode != 0; };
    window.periodOpenOn = [this](QDate date) {
        return state_.periodOpen() && !state_.isOtherDate(date);
    };
    window.record = [this](const AbsenceRecords& records) { recordAbsence(records); };
    session_ = new SessionFollower(*actions_, preferences_, std::move(window), this);
}

void MainWindow::attachSession(std::unique_ptr<platform::SessionSignals> source) {
    session_->follow(std::move(source));
}

void MainWindow::recordAbsence(const AbsenceRecords& records) {
    if (shutDown_ || state_.settings().automaticMode == 0) {
        return;
    }
    // A Save under an open dialog or box would be overwritten by it (Setup's OK keeps the
    // balance it opened with): the records wait until it has closed.
    if (QWidget* modal = QApplication::activeModalWidget()) {
        connect(
            modal, &QObject::destroyed, this, [this, records] { recordAbsence(records); },
            Qt::QueuedConnection);
        return;
    }
    notice_->hide();
    if (records.stopAt) {
        // The period the absence interrupted, on the date it began (past midnight too).
        showDay(records.stopAt->date());
        if (state_.periodOpen()) {
            saveStopAt(*records.stopAt);
        }
    }
    if (records.startAtReturn) {
        const QDateTime now = platform::LocalNow();
        showDay(now.date());
        if (!state_.periodOpen()) {
            // The clock, even where a time list has the focus and would keep its selection.
            panel_->presetTimeLists({static_cast<uint16_t>(now.time().hour()),
                                     static_cast<uint16_t>(now.time().minute())},
                                    state_.settings().minuteUnit);
            saveEntryCommand();
        }
    }
    afterCommand();
}

void MainWindow::automaticStop() {
    const std::optional<QDateTime> at = session_->stopAtEnd(platform::LocalNow());
    if (at && !state_.isOtherDate(at->date())) {
        saveStopAt(*at);
    } else {
        actions_->run(IDM_SAVE);
    }
}

void MainWindow::saveStopAt(const QDateTime& at) {
    const AbsenceEntryTime time = AbsenceStopTime(at, state_.settings().minuteUnit);
    EntryPanelInput input = panel_->readInput();
    input.date = time.date;
    input.hourText = time.hourText;
    input.minuteText = time.minuteText;
    present(state_.saveEntry(input, watcher_->hasUnseenChange()));
}

void MainWindow::showDay(QDate date) {
    panel_->setSelectedDate(date);
    if (state_.isOtherDate(date)) {
        rescanJournal();
    }
}

}  // namespace tallimer
