#include "ui/undo_shortcut.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>

namespace tallimer {

UndoShortcut::UndoShortcut(QWidget* window, std::function<void()> undo)
    : QObject(window), window_(window) {
    auto* action = new QAction(QStringLiteral("Undo"), window);
    action->setShortcut(QKeySequence::Undo);
    connect(action, &QAction::triggered, this, [undo = std::move(undo)] { undo(); });
    window->addAction(action);
    window->setContextMenuPolicy(Qt::ActionsContextMenu);
    qApp->installEventFilter(this);
}

UndoShortcut::~UndoShortcut() {
    qApp->removeEventFilter(this);
}

bool UndoShortcut::eventFilter(QObject* watched, QEvent* event) {
    // A field asks first whether it wants the key for itself; left unanswered, the key goes to
    // the window's shortcut.
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Undo)) {
        auto* widget = qobject_cast<QWidget*>(watched);
        return widget != nullptr && widget->window() == window_;
    }
    return false;
}

}  // namespace tallimer
