// The main window's "Edit day…": the selected day's entries in a table, applied through the
// Tracker as Remove is, and opened for a date by a double click in the entry list or report.
#include <QAction>
#include <QApplication>
#include <QPointer>

#include "resources/string_table.h"
#include "ui/commands.h"
#include "ui/edit_day_dialog.h"
#include "ui/entry_panel.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/modal_dialog.h"
#include "ui/window_actions.h"

namespace tallimer {

void MainWindow::editDayCommand() {
    const DayEntriesRead read = state_.tracker().dayEntries();
    if (read.error != 0) {
        ShowMessage(this, StringId::DatabaseError, MessageIcon::Stop);
        return;
    }
    const QPointer<QWidget> hadFocus = QApplication::focusWidget();
    EditDayDialog dialog(
        state_.tracker().selectedDate(), read.rows,
        [this, mark = read.mark](const DayEntryRows& rows) {
            EditDayOutcome outcome{};
            present(state_.editDay(rows, mark, beginViewScan(), outcome));
            // A failed write keeps the rows to try again; a journal changed since needs the
            // day read anew.
            return outcome == EditDayOutcome::Edited || outcome == EditDayOutcome::JournalChanged ||
                   outcome == EditDayOutcome::NoEntries;
        },
        this);
    ExecModal(dialog);
    if (hadFocus != nullptr) {
        hadFocus->setFocus();
    }
}

void MainWindow::editDayOf(QDate date) {
    if (QApplication::activeModalWidget() != nullptr) {
        return;
    }
    panel_->setSelectedDate(date);
    onDateChanged(date);
    // Through the action, which the day's entries enable.
    actions_->action(IDM_EDIT_DAY)->trigger();
}

}  // namespace tallimer
