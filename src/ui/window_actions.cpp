#include "ui/window_actions.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <utility>

#include "model/zoom_steps.h"
#include "ui/commands.h"
#include "ui/zoom.h"

namespace tallimer {

namespace {

struct ActionEntry {
    int command;
    int image;  // in the toolbar's strip; -1: none
    const char* text;
    const char* toolTip;  // the toolbar button's, where it differs from the text
};

constexpr ActionEntry kActions[] = {
    {IDM_VIEW_DAY, 0, "Show This Day", nullptr},
    {IDM_VIEW_LIST, 1, "List All Entries", nullptr},
    {IDM_VIEW_REPORT, 2, "Show a Report", nullptr},
    {IDM_SAVE, 3, "Save Entry", nullptr},
    {IDM_REMOVE, 4, "Delete All Entries of This Day", nullptr},
    {IDM_SETTINGS, 5, "Setup", nullptr},
    {IDM_ABOUT, 6, "About", "About - Exit"},
    {IDM_UNDO, -1, "Undo", nullptr},
    {IDM_DAY_OFF, -1, "Day off\u2026", nullptr},
    {IDM_IMPORT_HOLIDAYS, -1, "Import holidays\u2026", nullptr},
    {IDM_WORKING_WEEK, -1, "Working week\u2026", nullptr},
    {IDM_EDIT_DAY, -1, "Edit day\u2026", nullptr},
    {IDM_TIMESHEET, -1, "Timesheet\u2026", nullptr},
    {IDM_EXIT, -1, "Exit", nullptr},
    {IDM_ZOOM_IN, -1, "Zoom in", nullptr},
    {IDM_ZOOM_OUT, -1, "Zoom out", nullptr},
    {IDM_ZOOM_RESET, -1, "Actual size", nullptr},
    {IDM_START_WITH_SESSION, -1, "Start with the session", nullptr},
    {IDM_STOP_WHILE_LOCKED, -1, "Stop while the screen is locked", nullptr},
};

// The toolbar's commands but Remove (a held Esc), Undo, the days off, the working week, Edit
// day and the timesheet, the session's switches, and About and Exit apart.
constexpr int kMenu[] = {IDM_SAVE,
                         IDM_UNDO,
                         IDM_DAY_OFF,
                         IDM_IMPORT_HOLIDAYS,
                         IDM_WORKING_WEEK,
                         IDM_EDIT_DAY,
                         IDM_TIMESHEET,
                         0,
                         IDM_START_WITH_SESSION,
                         IDM_STOP_WHILE_LOCKED,
                         0,
                         IDM_VIEW_DAY,
                         IDM_VIEW_LIST,
                         IDM_VIEW_REPORT,
                         0,
                         IDM_SETTINGS,
                         IDM_ABOUT,
                         0,
                         IDM_EXIT};

// The strip's cells are the toolbar's 26-pixel buttons.
constexpr int kCell = 26;

// An image from the strip: the handheld's drawing at its size, and for every larger size the
// window's zoom and a scale factor of 2 ask for, the double-size drawing brought to that size
// (a QIcon never enlarges a picture, and a stretched 26-pixel drawing would be blocky).
QIcon StripIcon(const QImage& strip, const QImage& strip2x, int image) {
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(strip.copy(image * kCell, 0, kCell, kCell)));
    const QImage drawing = strip2x.copy(image * 2 * kCell, 0, 2 * kCell, 2 * kCell);
    for (const int scale : {1, 2}) {
        for (const int percent : kZoomSteps) {
            const int size = Zoomed(kCell, percent) * scale;
            if (size <= kCell) {
                continue;
            }
            QPixmap cell = QPixmap::fromImage(
                size == drawing.width()
                    ? drawing
                    : drawing.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
            cell.setDevicePixelRatio(scale);
            icon.addPixmap(cell);
        }
    }
    return icon;
}

}  // namespace

std::span<const int> MenuCommands() {
    return kMenu;
}

WindowActions::WindowActions(QWidget* window) : QObject(window) {
    const QImage strip(QStringLiteral(":/toolbar.png"));
    const QImage strip2x(QStringLiteral(":/toolbar@2x.png"));
    views_ = new QActionGroup(this);
    views_->setExclusive(true);
    for (const ActionEntry& entry : kActions) {
        auto* action = new QAction(QString::fromUtf8(entry.text), window);
        if (entry.image >= 0) {
            action->setIcon(StripIcon(strip, strip2x, entry.image));
        }
        // Set, so the toolbar's tooltip stays when the tray names the next entry in the text.
        action->setToolTip(
            QString::fromUtf8(entry.toolTip != nullptr ? entry.toolTip : entry.text));
        const int command = entry.command;
        if (command >= IDM_VIEW_DAY && command <= IDM_VIEW_REPORT) {
            action->setCheckable(true);
            views_->addAction(action);
        }
        if (command == IDM_START_WITH_SESSION || command == IDM_STOP_WHILE_LOCKED) {
            action->setCheckable(true);
        }
        connect(action, &QAction::triggered, this, [this, command] {
            // While a dialog or message box is open only the tray's menu could still be
            // reached, and it must not be: a Save under an open Setup would have its balance
            // overwritten by Setup's OK.
            if (QApplication::activeModalWidget() == nullptr) {
                run(command);
            }
        });
        actions_.insert(command, action);
    }
    actions_.value(IDM_UNDO)->setShortcut(QKeySequence::Undo);
    // Ctrl+Plus is Ctrl+= on many layouts, Ctrl+Shift+= on others, and the keypad's plus.
    actions_.value(IDM_ZOOM_IN)
        ->setShortcuts(QList<QKeySequence>{
            QKeySequence::keyBindings(QKeySequence::ZoomIn).value(0),
            QKeySequence(Qt::ControlModifier | Qt::Key_Equal),
            QKeySequence(Qt::ControlModifier | Qt::KeypadModifier | Qt::Key_Plus)});
    actions_.value(IDM_ZOOM_OUT)
        ->setShortcuts(QList<QKeySequence>{
            QKeySequence::keyBindings(QKeySequence::ZoomOut).value(0),
            QKeySequence(Qt::ControlModifier | Qt::KeypadModifier | Qt::Key_Minus)});
    actions_.value(IDM_ZOOM_RESET)
        ->setShortcuts(QList<QKeySequence>{
            QKeySequence(Qt::ControlModifier | Qt::Key_0),
            QKeySequence(Qt::ControlModifier | Qt::KeypadModifier | Qt::Key_0)});
    applyStates();
}

void WindowActions::bind(int command, std::function<void()> work) {
    work_.insert(command, std::move(work));
}

void WindowActions::run(int command) {
    if (const auto work = work_.value(command)) {
        work();
    }
}

void WindowActions::post(int command) {
    QMetaObject::invokeMethod(
        this, [this, command] { run(command); }, Qt::QueuedConnection);
}

void WindowActions::setStates(const CommandStates& states) {
    states_ = states;
    applyStates();
}

void WindowActions::setHeld(bool held) {
    held_ = held;
    applyStates();
}

void WindowActions::applyStates() {
    for (auto it = actions_.cbegin(); it != actions_.cend(); ++it) {
        bool enabled = !held_;
        if (it.key() == IDM_REMOVE || it.key() == IDM_EDIT_DAY) {
            enabled = enabled && states_.remove;
        } else if (it.key() == IDM_UNDO) {
            enabled = enabled && states_.undo;
        }
        it.value()->setEnabled(enabled);
    }
}

void WindowActions::showView(int32_t viewKind) {
    if (QAction* view = actions_.value(IDM_VIEW_DAY + viewKind)) {
        view->setChecked(true);
    }
}

}  // namespace tallimer
