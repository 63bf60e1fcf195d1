#include "ui/tray.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPixmap>

#include "resources/string_table.h"
#include "ui/commands.h"

namespace tallimer {

namespace {

struct MenuEntry {
    int command;  // 0: a separator
    int image;    // in the toolbar's strip; -1: none
    const char* text;
};

// The toolbar's commands with their tooltips as texts, Undo, and About and Exit apart.
constexpr MenuEntry kMenu[] = {
    {IDM_SAVE, 3, "Save Entry"},
    {IDM_UNDO, -1, "Undo"},
    {0, -1, nullptr},
    {IDM_VIEW_DAY, 0, "Show This Day"},
    {IDM_VIEW_LIST, 1, "List All Entries"},
    {IDM_VIEW_REPORT, 2, "Show a Report"},
    {0, -1, nullptr},
    {IDM_SETTINGS, 5, "Setup"},
    {IDM_ABOUT, 6, "About"},
    {0, -1, nullptr},
    {IDM_EXIT, -1, "Exit"},
};

constexpr int kImageSize = 26;

}  // namespace

Tray::Tray(std::unique_ptr<TrayPort> port, const DesktopPreferences& preferences)
    : port_(std::move(port)), menu_(std::make_unique<QMenu>()), preferences_(preferences) {
    const QPixmap strip(QStringLiteral(":/toolbar.png"));
    for (const MenuEntry& entry : kMenu) {
        if (entry.command == 0) {
            menu_->addSeparator();
            continue;
        }
        QAction* action = menu_->addAction(QString::fromLatin1(entry.text));
        if (entry.image >= 0) {
            action->setIcon(strip.copy(entry.image * kImageSize, 0, kImageSize, kImageSize));
        }
        const int command = entry.command;
        connect(action, &QAction::triggered, this, [this, command] {
            // The toolbar cannot be reached while a dialog or message box is open, and the
            // tray must not either: a Save under an open Setup would have its balance
            // overwritten by Setup's OK.
            if (QApplication::activeModalWidget() == nullptr) {
                emit commandRaised(command);
            }
        });
        actions_.insert(command, action);
    }
    // Nothing to undo until undo exists for the last change.
    disabled_.insert(IDM_UNDO);
    connect(menu_.get(), &QMenu::aboutToShow, this, [this] {
        const bool free = QApplication::activeModalWidget() == nullptr;
        for (auto it = actions_.cbegin(); it != actions_.cend(); ++it) {
            it.value()->setEnabled(free && !disabled_.contains(it.key()));
        }
    });
    actions_.value(IDM_UNDO)->setEnabled(false);
    port_->setMenu(menu_.get());
    port_->onClicked = [this] { emit clicked(); };
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
    actions_.value(IDM_SAVE)->setText(QStringLiteral("Save Entry: %1").arg(next));
}

void Tray::showSummary(const DaySummaryTexts& texts) {
    port_->setToolTip(
        QStringLiteral("%1\nPresence: %2\nCredit: %3\nFlexitime in total: %4")
            .arg(LoadString(StringId::AppTitle), texts.presence, texts.credit, texts.flexitime));
}

void Tray::remind(const QDateTime& clock, const DayState& day, const Settings& settings) {
    for (const Reminder& reminder : DueReminders(memory_, clock, day, settings, preferences_)) {
        port_->showMessage(reminder.title, reminder.text);
    }
}

void Tray::setCommandEnabled(int command, bool enabled) {
    if (enabled) {
        disabled_.remove(command);
    } else {
        disabled_.insert(command);
    }
    if (QAction* item = actions_.value(command)) {
        item->setEnabled(enabled);
    }
}

}  // namespace tallimer
