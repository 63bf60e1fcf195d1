// The main window's refresh: what a command gave back, the rescan and the live summary.
#include <QDateTime>

#include "accounting/day_off_texts.h"
#include "platform/clock.h"
#include "platform/device_folder.h"
#include "ui/day_summary_view.h"
#include "ui/entry_panel.h"
#include "ui/journal_watcher.h"
#include "ui/main_window.h"
#include "ui/notice_line.h"
#include "ui/tray.h"
#include "ui/view_window.h"
#include "ui/window_actions.h"

namespace tallimer {

namespace {
TimeRecord ClockRecord(QTime clock) {
    return {static_cast<uint16_t>(clock.hour()), static_cast<uint16_t>(clock.minute())};
}
}  // namespace

void MainWindow::present(const CommandOutcome& outcome) {
    if (outcome.journalIsOwn) {
        acknowledgeJournal();
    }
    if (outcome.preset) {
        panel_->presetTimeLists(*outcome.preset, state_.settings().minuteUnit);
    }
    if (outcome.panel == PanelChange::Whole) {
        lastShown_ = state_.snapshot();
        panel_->showSnapshot(*lastShown_);
    } else if (outcome.panel == PanelChange::Status) {
        panel_->setStatus(state_.snapshot().status);
    }
    if (outcome.view == ViewChange::Rescan) {
        rescanJournal();
    } else if (view_ != nullptr && outcome.view == ViewChange::Fed) {
        view_->endScan();
    } else if (view_ != nullptr && outcome.view == ViewChange::FeedFailed) {
        view_->scanFailed();  // a sink that had to give up what it held shows that
    }
    if (outcome.refreshSummary) {
        refreshDaySummary(true);
    }
    if (!outcome.notice.isEmpty()) {
        notice_->tell(outcome.notice);
    }
    if (outcome.messageId != 0) {
        ShowMessage(this, outcome.messageId, outcome.icon);
    }
}

void MainWindow::updateCommandStates() {
    actions_->setStates(state_.commandStates());
}

ScanSink* MainWindow::beginViewScan() {
    return view_ != nullptr ? view_->beginScan(state_.settings(), state_.month(), state_.days())
                            : nullptr;
}

void MainWindow::rescanJournal() {
    acknowledgeJournal();  // the read about to run sees the journal as it is now
    const CommandOutcome outcome = state_.rescan(panel_->selectedDate(), beginViewScan());
    updateCommandStates();
    present(outcome);
}

void MainWindow::acknowledgeJournal() {
    watcher_->acknowledge(platform::HostPath(state_.store().journalPath));
    watchDaysFile();
}

void MainWindow::refreshDaySummary(bool forced) {
    const QDateTime clock = platform::LocalNow();
    if (!forced) {
        const RefreshTick tick = TickRefresh(refreshMemory_, clock, state_.periodOpen());
        if (!tick.goesThrough) {
            return;
        }
        if (tick.moveToTodayAndRescan) {
            panel_->setSelectedDate(clock.date());
            rescanJournal();
        }
        if (tray_ != nullptr) {
            tray_->remind(clock, state_.day(), state_.settings());
        }
        if (tick.newDay) {
            tellOpenEarlierDay();
        }
    }
    const TimeRecord now =
        panel_->syncTimeLists(ClockRecord(clock.time()), state_.settings().minuteUnit);
    const int32_t minute = now.hour * 60 + now.minute;
    const DaySummaryTexts texts = DaySummaryAt(state_.day(), state_.settings(), minute);
    if (tray_ != nullptr) {
        tray_->showDay(state_.periodOpen());
        tray_->showSummary(texts);
    }
    if (auto* summary = qobject_cast<DaySummaryView*>(view_)) {
        summary->showSummary(texts, DaySummaryColoursAt(state_.day(), state_.settings(), minute));
        summary->showDayOff(DayOffSummaryText(state_.dayOff()));
    } else if (view_ != nullptr) {
        view_->repaint();
    }
}

void MainWindow::fillTimeListsAtClock() {
    panel_->fillTimeLists(state_.settings().minuteUnit);
    panel_->syncTimeLists(ClockRecord(platform::LocalNow().time()), state_.settings().minuteUnit);
}

void MainWindow::onDateChanged(QDate date) {
    // Only a date that differs from the scanned one rescans.
    if (state_.isOtherDate(date)) {
        rescanJournal();
    }
}

}  // namespace tallimer
