#include <QDir>
#include <QFile>
#include <QMenu>

#include "ui/timesheet_dialog.h"
#include "ui/tray.h"
#include "window_fixture.h"

namespace tallimer::test {
namespace {

class TimesheetWindow : public WindowTest {};

// "Timesheet…" follows Edit day in both menus; its dialog saves the selected month's PDF to the
// chosen file on Enter and stays open, and a file that cannot be written is named in a box.
TEST_F(TimesheetWindow, BothMenusOfferItAndSaveWritesThePdf) {
    withTray = true;
    start("2004/01/23 08:00\tAlpha\r\n2004/01/23\t12:00\tAlpha\r\n");
    QAction* timesheet = window->action(IDM_TIMESHEET);
    EXPECT_EQ(timesheet->text(), "Timesheet\u2026");
    const QList<QAction*> context = window->actions();
    EXPECT_EQ(context.indexOf(timesheet), context.indexOf(window->action(IDM_EDIT_DAY)) + 1);
    EXPECT_TRUE(window->tray()->menu()->actions().contains(timesheet));

    const QString saved = QDir(home()).filePath("sheet.pdf");
    const QString unwritable = QDir(home()).filePath("no such folder/sheet.pdf");
    QString offered;
    withModal<TimesheetDialog>(
        [this] { run(IDM_TIMESHEET); },
        [&](TimesheetDialog* dialog) {
            EXPECT_EQ(dialog->windowTitle(), "Timesheet");
            dialog->setFileChooser([&](QWidget*, const QString& suggested) {
                offered = suggested;
                return saved;
            });
            QTest::keyClick(dialog, Qt::Key_Return);
            EXPECT_EQ(QApplication::activeModalWidget(), dialog);
            dialog->setFileChooser([&](QWidget*, const QString&) { return unwritable; });
            QTest::mouseClick(dialog->saveButton(), Qt::LeftButton);
        });
    EXPECT_TRUE(offered.endsWith("/Timesheet-2004-01.pdf")) << offered.toStdString();
    QFile pdf(saved);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.readAll().startsWith("%PDF-"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].startsWith("Timesheet not saved!\n" + unwritable + ": "))
        << messages[0].toStdString();
}

}  // namespace
}  // namespace tallimer::test
