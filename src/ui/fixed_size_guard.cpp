#include "ui/fixed_size_guard.h"

#include <QEvent>
#include <QTimer>
#include <QVariant>
#include <QWidget>
#include <QWindow>

namespace tallimer {

namespace {

// The size of a fixed window let go for the compositor's demand, kept on the window.
constexpr char kFixedSize[] = "tallimerFixedSize";
constexpr Qt::WindowStates kLarge = Qt::WindowMaximized | Qt::WindowFullScreen;

// Holds the window at its size again once it is back in it.
void Settle(QWindow* window) {
    const QVariant fixed = window->property(kFixedSize);
    if (fixed.isValid() && (window->windowStates() & kLarge) == 0 &&
        window->size() == fixed.toSize()) {
        window->setMaximumSize(fixed.toSize());
        window->setProperty(kFixedSize, QVariant());
    }
}

}  // namespace

bool FixedSizeGuard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show) {
        if (auto* window = qobject_cast<QWindow*>(watched)) {
            connect(window, &QWindow::windowStateChanged, this, &FixedSizeGuard::stateChanged,
                    Qt::UniqueConnection);
            connect(window, &QWindow::widthChanged, this, &FixedSizeGuard::sizeChanged,
                    Qt::UniqueConnection);
            connect(window, &QWindow::heightChanged, this, &FixedSizeGuard::sizeChanged,
                    Qt::UniqueConnection);
        }
    }
    return QObject::eventFilter(watched, event);
}

void FixedSizeGuard::stateChanged(Qt::WindowState state) {
    auto* window = qobject_cast<QWindow*>(sender());
    if (window == nullptr) {
        return;
    }
    if ((state & kLarge) == 0) {
        Settle(window);  // a compositor that refused the request
        return;
    }
    // Told as the request goes out, before the compositor answers with its size.
    if (!window->property(kFixedSize).isValid() && window->minimumSize() == window->maximumSize()) {
        window->setProperty(kFixedSize, window->maximumSize());
        window->setMaximumSize(QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    }
}

void FixedSizeGuard::sizeChanged() {
    auto* window = qobject_cast<QWindow*>(sender());
    if (window == nullptr || !window->property(kFixedSize).isValid()) {
        return;
    }
    if ((window->windowStates() & kLarge) == 0) {
        Settle(window);
        return;
    }
    // At the compositor's size now: ask back for the window's own once this change is done.
    QTimer::singleShot(0, window, [window] {
        if (window->windowStates() & kLarge) {
            window->setWindowStates(window->windowStates() & ~kLarge);
        }
    });
}

}  // namespace tallimer
