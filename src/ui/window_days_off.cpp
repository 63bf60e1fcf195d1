// The main window's days off and working week: the "Day off…" dialog, "Import holidays…",
// "Working week…" and a later start's request, all applied the same way.
#include <QApplication>
#include <QPointer>

#include "operations/day_off_form.h"
#include "operations/outcome_messages.h"
#include "operations/week_form.h"
#include "platform/device_folder.h"
#include "platform/holiday_calendar.h"
#include "ui/day_off_dialog.h"
#include "ui/entry_panel.h"
#include "ui/journal_watcher.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/modal_dialog.h"
#include "ui/week_dialog.h"

namespace tallimer {

DaysOutcome MainWindow::changeDays(const DaysEdit& edit, bool tellsFailure, LedgerReason reason) {
    DaysOutcome outcome = DaysOutcome::Unchanged;
    CommandOutcome shown = state_.changeDays(edit, beginViewScan(), outcome, reason);
    if (tellsFailure) {
        shown.messageId = MessageOf(outcome);
        shown.icon = MessageIcon::Stop;
    }
    present(shown);
    return outcome;
}

QByteArray MainWindow::changeDaysOff(QByteArrayView requestText) {
    const std::optional<DayOffRequest> request = RequestOfText(requestText);
    if (!request) {
        return ReplyText({2, QStringLiteral("tallimer: the running Tallimer took no request")});
    }
    const DaysOutcome outcome = changeDays(EditOf(*request), false, LedgerReasonOf(*request));
    afterCommand();  // Undo now takes back this change
    return ReplyText(ReplyOf(outcome, state_.store()));
}

void MainWindow::watchDaysFile() {
    const QString path = platform::HostPath(state_.store().daysFilePath);
    if (daysWatcher_->path() != path) {
        daysWatcher_->acknowledge(path);
        bookDaysFile();  // changed while none watched
    }
}

void MainWindow::bookDaysFile() {
    DaysOutcome outcome = DaysOutcome::Unchanged;
    const CommandOutcome shown = state_.changeDays([](DaysBook&) {}, beginViewScan(), outcome);
    if (outcome != DaysOutcome::Unchanged) {
        present(shown);
        afterCommand();
    }
}

void MainWindow::dayOffCommand() {
    const QPointer<QWidget> hadFocus = QApplication::focusWidget();
    // A failure that changed nothing keeps the dialog open; any other outcome closes it.
    DayOffDialog dialog(
        DayOffFormFor(panel_->selectedDate(), state_.tracker().days()),
        [this](const DayOffRequest& request) {
            return changeDays(EditOf(request), true, LedgerReasonOf(request)) !=
                   DaysOutcome::DatabaseError;
        },
        this);
    ExecModal(dialog);
    if (hadFocus != nullptr) {
        hadFocus->setFocus();
    }
}

void MainWindow::importHolidaysCommand() {
    const QString path = ChooseFileToOpen(this, QStringLiteral("Import holidays"),
                                          QStringLiteral("Calendars (*.ics);;All files (*)"));
    if (path.isEmpty()) {
        return;  // cancelled
    }
    const HolidayImport import = ImportOf(platform::ReadHolidayCalendar(path));
    if (!import.request) {
        ShowMessage(this, import.refusal, MessageIcon::Stop);
        return;
    }
    changeDays(EditOf(*import.request), true, LedgerReason::Holidays);
}

void MainWindow::workingWeekCommand() {
    const QPointer<QWidget> hadFocus = QApplication::focusWidget();
    // As "Day off…": a failure that changed nothing keeps the dialog open.
    WeekDialog dialog(
        WeekFormFor(panel_->selectedDate(), state_.days(), state_.settings()),
        [this](const WeekPlan& plan) {
            const DaysEdit edit = [plan](DaysBook& book) { book.setWeek(plan); };
            return changeDays(edit, true, LedgerReason::WorkingWeek) != DaysOutcome::DatabaseError;
        },
        this);
    ExecModal(dialog);
    if (hadFocus != nullptr) {
        hadFocus->setFocus();
    }
}

}  // namespace tallimer
