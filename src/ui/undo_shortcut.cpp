#include "ui/undo_shortcut.h"

#include <QApplication>
#include <QKeyEvent>

namespace tallimer {

UndoShortcut::UndoShortcut(QWidget* window) : QObject(window), window_(window) {
    qApp->installEventFilter(this);
}

UndoShortcut::~UndoShortcut() {
    qApp->removeEventFilter(this);
}

bool UndoShortcut::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type != QEvent::ShortcutOverride && type != QEvent::KeyPress) ||
        !static_cast<QKeyEvent*>(event)->matches(QKeySequence::Undo)) {
        return false;
    }
    // A field asks first whether it wants the key for itself; left unanswered, the key goes to
    // the window's shortcut. With the action greyed the key comes as a press, which no field
    // gets either.
    auto* widget = qobject_cast<QWidget*>(watched);
    return widget != nullptr && widget->window() == window_;
}

}  // namespace tallimer
