// The main window's notice of a period left open on an earlier day: such a day is easy to
// miss, since the window shows today.
#include "platform/clock.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/tray.h"

namespace tallimer {

void MainWindow::tellOpenEarlierDay() {
    const std::optional<OpenPeriodStart> open =
        state_.tracker().openEarlierDay(platform::LocalNow().date());
    if (!open || toldOpenDays_.contains(open->date)) {
        return;
    }
    toldOpenDays_.insert(open->date);
    const QString text = OpenPeriodText(*open);
    if (tray_ != nullptr) {
        tray_->tellOpenDay(open->date, text);
        return;
    }
    if (ShowMessage(this, text + QStringLiteral(" Edit that day now?"), MessageIcon::Question,
                    MessageButtons::YesNo) == MessageAnswer::Yes) {
        editDayOf(open->date);
    }
}

}  // namespace tallimer
