#include "ui/about_dialog.h"
#include "window_fixture.h"

namespace tallimer::test {
namespace {

AboutDialog* OpenAbout() {
    return qobject_cast<AboutDialog*>(QApplication::activeModalWidget());
}

void Click(QDialog* dialog, int id) {
    QTest::mouseClick(FindControlAs<QPushButton>(dialog, id), Qt::LeftButton);
}

// Runs `inside` once the About dialog is up, then opens it as the toolbar does.
void WithAbout(MainWindow& window, std::function<void(AboutDialog*)> inside) {
    QTimer::singleShot(0, [inside] {
        AboutDialog* about = OpenAbout();
        ASSERT_NE(about, nullptr);
        inside(about);
        if (OpenAbout() == about) {
            about->reject();  // still open: close it so the test goes on
        }
    });
    window.action(IDM_ABOUT)->trigger();
}

const std::string kOpenDay = kHeader + "2004/01/23 08:00\tA\r\n";

using AboutAndExit = WindowTest;

// Enter presses the focused button, as on the handheld: on "Info" it shows the keys help and
// leaves the dialog up; Ende with no open period then ends without a question.
TEST_F(AboutAndExit, EnterOnInfoShowsTheKeysHelpAndEndeEndsAtOnce) {
    start();
    bool stayed = false;
    WithAbout(*window, [&](AboutDialog* about) {
        EXPECT_EQ(about->windowFlags() & (Qt::CustomizeWindowHint | Qt::WindowMinMaxButtonsHint |
                                          Qt::WindowCloseButtonHint),
                  Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint);  // a close box only
        auto* info = FindControlAs<QPushButton>(about, AboutDialog::IDC_INFO);
        info->setFocus();
        QTest::keyClick(info, Qt::Key_Return);
        stayed = OpenAbout() == about && window->isVisible();
        Click(about, AboutDialog::IDC_ENDE);
    });
    EXPECT_TRUE(stayed);
    EXPECT_FALSE(window->isVisible());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].startsWith("Action\t\tnext field"));
}

TEST_F(AboutAndExit, OpenPeriodInManualModeAsksFirst) {
    writeHandheld(kJournal, kOpenDay);
    start();
    answer = MessageAnswer::Cancel;
    bool stillOpen = false;
    WithAbout(*window, [&](AboutDialog* about) {
        Click(about, AboutDialog::IDC_ENDE);
        stillOpen = OpenAbout() == about;
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(messages, std::vector<QString>{"This day is not closed.\nQuit anyway?"});

    answer = MessageAnswer::Ok;
    WithAbout(*window, [](AboutDialog* about) { Click(about, AboutDialog::IDC_ENDE); });
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(journal(), kOpenDay);  // no Stop recorded
}

TEST_F(AboutAndExit, EscapeThenEnterIsTheKeyboardPathToExit) {
    start();
    QTest::keyClick(window->entryPanel(), Qt::Key_Escape);
    timers.advance(KeyFilter::kRepeatGraceMs);  // the Escape character posts About
    // Enter goes to the About dialog as soon as it is open.
    QTimer::singleShot(0, [] { QTest::keyClick(OpenAbout(), Qt::Key_Return); });
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->isVisible());
}

// Nothing recorded yet in January 2004, the balance above the maximum of 10:00: OK caps it.
TEST_F(AboutAndExit, NewMonthOkCapsTheBalanceCancelKeepsIt) {
    for (MessageAnswer given : {MessageAnswer::Cancel, MessageAnswer::Ok}) {
        writeHandheld(kJournal, kHeader + "2003/12/31 08:00\tA\r\n2003/12/31\t12:00\tA\r\n");
        store.settings.flexBalance = 700;
        store.settings.flexMaximum = 600;
        answer = given;
        messages.clear();
        start();
        EXPECT_EQ(messages, std::vector<QString>{"New Month reached!\r\nThe flexitime will be\r\n"
                                                 "adjusted to the maximum value."});
        const int32_t expected = given == MessageAnswer::Ok ? 600 : 700;
        EXPECT_EQ(window->store().settings.flexBalance, expected);
        EXPECT_EQ(Loaded().settings.flexBalance, expected);
        quit();
    }
}

}  // namespace
}  // namespace tallimer::test
