// The main window's start-up and shutdown sequences.
#include <QCloseEvent>

#include "accounting/time_text.h"
#include "platform/clock.h"
#include "resources/string_table.h"
#include "ui/commands.h"
#include "ui/entry_panel.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/tray.h"
#include "ui/window_actions.h"

namespace tallimer {

void MainWindow::startUp() {
    state_.load();
    panel_->setSelectedDate(platform::LocalNow().date());
    // At the clock even when the first scan finds no journal, so an automatic Start at the
    // very first start records the time, not a blank one.
    fillTimeListsAtClock();
    createView();
    rescanJournal();
    if (state_.startsAutomatically()) {
        actions_->post(IDM_SAVE);
    }
    refreshTimer_.start();
    newMonthCheck();
    tellOpenEarlierDay();
    tellLedgerCorrected();
}

void MainWindow::tellLedgerCorrected() {
    const std::optional<int32_t> ledger = state_.tracker().ledgerCorrected();
    if (!ledger) {
        return;
    }
    // A sign stays with its time where the text wraps.
    const auto time = [](int32_t minutes) {
        return SignedTimeText(minutes).replace(u' ', QChar::Nbsp);
    };
    const QString text = QStringLiteral(
                             "The ledger of the balance ended at %1, but the balance "
                             "is %2. A correcting line was added to the ledger.")
                             .arg(time(*ledger), time(state_.settings().flexBalance));
    if (tray_ != nullptr) {
        tray_->tell(QStringLiteral("Ledger corrected"), text);
        return;
    }
    ShowMessage(this, text, MessageIcon::Information);
}

void MainWindow::newMonthCheck() {
    if (!state_.newMonthAsks()) {
        return;
    }
    if (ShowMessage(this, StringId::NewMonthOffer, MessageIcon::Information,
                    MessageButtons::OkCancel) == MessageAnswer::Ok) {
        state_.capBalanceForNewMonth();
    }
    refreshDaySummary(true);
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
    if (state_.stopsAutomatically()) {
        automaticStop();  // sent
    }
    state_.saveOnShutdown();
    emit shutDown();
}

}  // namespace tallimer
