// The main window's "Timesheet…": the selected date's month, saved as a PDF or printed, made
// from the journal as tallimer-report makes it.
#include <QApplication>
#include <QPointer>

#include "operations/desktop_preferences_store.h"
#include "platform/clock.h"
#include "resources/string_table.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/modal_dialog.h"
#include "ui/timesheet_dialog.h"

namespace tallimer {

void MainWindow::timesheetCommand() {
    const QPointer<QWidget> hadFocus = QApplication::focusWidget();
    TimesheetDialog dialog(
        state_.tracker().selectedDate(),
        [this]() -> std::optional<QString> {
            const TimesheetRead read = state_.tracker().timesheet(
                platform::LocalNow().date(), TimesheetName(LoadDesktopPreferences()));
            if (read.error != 0) {
                ShowMessage(QApplication::activeModalWidget(), StringId::DatabaseError,
                            MessageIcon::Stop);
                return std::nullopt;
            }
            return read.html;
        },
        this);
    ExecModal(dialog);
    if (hadFocus != nullptr) {
        hadFocus->setFocus();
    }
}

}  // namespace tallimer
