#include "ui/tray.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

#include "resources/string_table.h"
#include "ui/commands.h"
#include "ui/menu_icon_style.h"
#include "ui/window_actions.h"

namespace tallimer {

Tray::Tray(std::unique_ptr<TrayPort> port, const DesktopPreferences& preferences,
           WindowActions& actions)
    : port_(std::move(port)),
      menuStyle_(std::make_unique<MenuIconStyle>()),
      menu_(std::make_unique<QMenu>()),
      save_(actions.action(IDM_SAVE)),
      preferences_(preferences) {
    menu_->setStyle(menuStyle_.get());
    for (const int command : MenuCommands()) {
        if (command == 0) {
            menu_->addSeparator();
        } else {
            menu_->addAction(actions.action(command));
        }
    }
    // The toolbar cannot be reached while a dialog or message box is open, nor can the menu's
    // items: greyed until the menu or the dialog closes.
    connect(menu_.get(), &QMenu::aboutToShow, this, [this, &actions] {
        QWidget* dialog = QApplication::activeModalWidget();
        actions.setHeld(dialog != nullptr);
        if (dialog != nullptr) {
            connect(dialog, &QObject::destroyed, this, [&actions] { actions.setHeld(false); });
        }
    });
    connect(menu_.get(), &QMenu::aboutToHide, this, [&actions] { actions.setHeld(false); });
    port_->setMenu(menu_.get());
    port_->onClicked = [this] { emit clicked(); };
    port_->onMessageClicked = [this] {
        if (messageDay_.isValid()) {
            emit openDayClicked(messageDay_);
        }
    };
}

Tray::~Tray() {
    port_->setMenu(nullptr);
}

void Tray::showDay(bool periodOpen) {
    port_->setPeriodOpen(periodOpen);
    QString next = LoadString(periodOpen ? StringId::StatusStop : StringId::StatusStart);
    if (next.endsWith(u':')) {
        next.chop(1);
    }
    save_->setText(QStringLiteral("Save Entry: %1").arg(next));
}

void Tray::showSummary(const DaySummaryTexts& texts) {
    port_->setToolTip(
        QStringLiteral("%1\nPresence: %2\nCredit: %3\nFlexitime in total: %4")
            .arg(LoadString(StringId::AppTitle), texts.presence, texts.credit, texts.flexitime));
}

void Tray::remind(const QDateTime& clock, const DayState& day, const Settings& settings) {
    for (const Reminder& reminder : DueReminders(memory_, clock, day, settings, preferences_)) {
        messageDay_ = QDate();
        port_->showMessage(reminder.title, reminder.text);
    }
}

void Tray::tell(const QString& title, const QString& text) {
    messageDay_ = QDate();
    port_->showMessage(title, text);
}

void Tray::tellOpenDay(QDate date, const QString& text) {
    messageDay_ = date;
    port_->showMessage(QStringLiteral("Period still open"), text);
}

}  // namespace tallimer
