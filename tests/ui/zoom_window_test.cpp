#include <QLineEdit>
#include <QToolButton>

#include "operations/desktop_preferences_store.h"
#include "ui/notice_line.h"
#include "window_fixture.h"

namespace tallimer::test {
namespace {

using ZoomWindow = WindowTest;

// Ctrl+Plus, Ctrl+Minus and Ctrl+0 scale the whole handheld layout by steps, from any field,
// and the zoom is remembered for the next start.
TEST_F(ZoomWindow, KeysScaleTheWholeLayoutAndTheZoomIsRemembered) {
    start("2004/01/23 08:00\tA\r\n");
    EXPECT_EQ(window->zoom(), 100);  // the offscreen screen is small
    EntryPanel* panel = window->entryPanel();
    const QSize summary = window->viewWindow()->size();
    const QRect date = panel->date()->geometry();
    const int datePixels = panel->date()->font().pixelSize();
    QLineEdit* field = panel->project()->lineEdit();
    field->setFocus();

    QTest::keyClick(field, Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(window->zoom(), 125);
    EXPECT_EQ(window->size(), QSize(300, 368));
    QTest::keyClick(field, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(window->zoom(), 100);
    EXPECT_EQ(window->size(), QSize(240, 294));
    EXPECT_EQ(panel->date()->geometry(), date);

    run(IDM_VIEW_LIST);  // a view made after the zoom takes it too
    window->setZoom(200);
    EXPECT_EQ(window->size(), QSize(480, 588));
    EXPECT_EQ(window->toolbar()->geometry(), QRect(0, 124, 480, 68));
    EXPECT_EQ(window->viewWindow()->y(), 194);
    EXPECT_EQ(panel->date()->geometry(),
              QRect(date.x() * 2, date.y() * 2, date.width() * 2, date.height() * 2));
    EXPECT_EQ(panel->date()->font().pixelSize(), datePixels * 2);
    EXPECT_EQ(panel->hourList()->font().pixelSize(), datePixels * 2);
    QToolButton* save = window->toolbar()->button(IDM_SAVE);
    EXPECT_EQ(save->size(), QSize(52, 52));
    EXPECT_EQ(save->iconSize(), QSize(44, 44));
    // Drawn at that size, from the double-size art: a QIcon would never enlarge the 26 pixels.
    EXPECT_EQ(save->icon().pixmap(save->iconSize()).size(), QSize(44, 44));
    run(IDM_VIEW_DAY);
    EXPECT_EQ(window->viewWindow()->y(), 194);
    EXPECT_EQ(window->viewWindow()->size(), summary * 2);

    for (int step = 0; step < 4; ++step) {
        QTest::keyClick(field, Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
    }
    EXPECT_EQ(window->zoom(), 300);  // 250, 300, and no further
    run(IDM_SAVE);
    run(IDM_UNDO);
    EXPECT_EQ(window->notice()->width(), window->width());
    EXPECT_EQ(window->notice()->geometry().bottom(), window->height() - 1);

    QTest::keyClick(field, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(window->zoom(), 100);
    window->setZoom(175);
    EXPECT_EQ(LoadDesktopPreferences().zoom, 175);
    MainWindow again;
    EXPECT_EQ(again.zoom(), 175);
    EXPECT_EQ(again.size(), QSize(420, 515));
}

}  // namespace
}  // namespace tallimer::test
