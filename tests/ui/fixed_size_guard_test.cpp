#include "ui/fixed_size_guard.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <QWindow>

namespace tallimer {
namespace {

// Qt's own title bar asks the window itself to maximise. A window of a fixed size takes what
// the platform gives it for the moment and is back at its size and held there; a resizable one
// stays maximised.
TEST(FixedSizeGuard, AFixedWindowComesBackToItsSizeAndAResizableOneStaysMaximised) {
    FixedSizeGuard guard;
    qApp->installEventFilter(&guard);
    QWidget fixed;
    fixed.setFixedSize(240, 294);
    QWidget resizable;
    resizable.resize(240, 294);
    fixed.show();
    resizable.show();
    QWindow* window = fixed.windowHandle();

    for (Qt::WindowState state : {Qt::WindowMaximized, Qt::WindowFullScreen}) {
        window->setWindowStates(state);
        EXPECT_TRUE(QTest::qWaitFor([&] {
            return window->windowStates() == Qt::WindowNoState &&
                   window->size() == QSize(240, 294) && window->maximumSize() == QSize(240, 294);
        })) << state;
    }
    resizable.windowHandle()->setWindowStates(Qt::WindowMaximized);
    QTest::qWait(50);
    EXPECT_EQ(resizable.windowHandle()->windowStates(), Qt::WindowMaximized);
    qApp->removeEventFilter(&guard);
}

}  // namespace
}  // namespace tallimer
