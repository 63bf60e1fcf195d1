#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <memory>

#include "support/device_fixture.h"
#include "ui/dialog_builder.h"
#include "ui/message_box.h"
#include "ui/setup_dialog.h"

namespace tallimer::test {
namespace {

// A stored 30 / 40 h / 10:05 / 5 and the dialog open over its owner.
class SetupDialogTest : public DeviceTest {
  protected:
    void SetUp() override {
        DeviceTest::SetUp();
        store.settings = Settings{30, 480, 605, 5, 0, 0, 0, 0, 0, 0};
        ASSERT_TRUE(SaveSettings(store));
        tracker.start();
        owner.setGeometry(100, 50, 240, 294);
        owner.show();
        dialog = std::make_unique<SetupDialog>(
            tracker, nullptr, [this](const Done<SetupOutcome>&) { ++saves; }, &owner);
        dialog->open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    }

    QLineEdit* edit(int id) const { return FindControlAs<QLineEdit>(dialog.get(), id); }
    // Replaces a field's text by typing, as the user does.
    void type(int id, const QString& text) const {
        edit(id)->setFocus();
        edit(id)->selectAll();
        QTest::keyClicks(edit(id), text);
    }
    void toggleAutomaticMode() const {
        QTest::mouseClick(FindControlAs<QCheckBox>(dialog.get(), 1011), Qt::LeftButton, {},
                          QPoint(2, 2));
    }
    static Settings Stored() { return Loaded().settings; }

    Tracker tracker;
    QWidget owner;
    std::unique_ptr<SetupDialog> dialog;
    int saves = 0;
};

TEST_F(SetupDialogTest, OkStoresTheTypedSettingsAndRefreshesOnce) {
    EXPECT_EQ(edit(1025)->text(), "10:05");  // opened filled
    type(1024, "38.5");
    type(1025, "-1:15");
    type(1027, "\\Data\\Work");
    type(1032, "18:00");
    toggleAutomaticMode();
    QTest::keyClick(edit(1032), Qt::Key_Return);  // Enter in a field presses OK

    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(tracker.store().journalPath, "\\Data\\Work\\Tallimer.txt");
    std::string ini;
    ASSERT_TRUE(readHandheld(QStringLiteral("\\Data\\Work\\Tallimer.ini"), &ini));
    EXPECT_EQ(ini, "Flexitime = -1:-15\r\n");
    EXPECT_EQ(Stored(), (Settings{30, 462, -75, 5, 0, 0, 0, 0, 1080, 1}));
}

// The settings stay in effect for the run, but a save that failed is said.
TEST_F(SetupDialogTest, AFailedSaveIsSaid) {
    QStringList shown;
    SetMessageAnswerer([&shown](const ShownMessage& message) {
        shown << message.text;
        return MessageAnswer::Ok;
    });
    const QString ini = platform::HostPath(store.settingsFilePath);
    ASSERT_TRUE(QFile::remove(ini) && QDir().mkdir(ini));  // no file can take its place
    type(1025, "2:00");
    QTest::keyClick(edit(1025), Qt::Key_Return);
    SetMessageAnswerer(nullptr);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(tracker.settings().flexBalance, 120);
    EXPECT_EQ(shown, QStringList{"Error with database access"});
}

// A key that would make a field unreadable does nothing. OK on a field holding a lone sign
// stores nothing and says so, the field's text selected; with a number there it goes through.
TEST_F(SetupDialogTest, FieldsTakeOnlyWhatTheyCanRead) {
    type(1024, "forty");
    EXPECT_EQ(edit(1024)->text(), "40");
    QStringList shown;
    SetMessageAnswerer([&shown](const ShownMessage& message) {
        shown << message.text;
        return MessageAnswer::Ok;
    });
    type(1025, "-");
    QTest::keyClick(edit(1025), Qt::Key_Return);
    EXPECT_EQ(shown, QStringList{"Not saved!\nThis field needs a number."});
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(edit(1025)->selectedText(), "-");
    EXPECT_EQ(saves, 0);

    type(1025, "-2");
    QTest::keyClick(edit(1025), Qt::Key_Return);
    SetMessageAnswerer(nullptr);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(shown.size(), 1);
    EXPECT_EQ(Stored(), (Settings{30, 480, -120, 5, 0, 0, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace tallimer::test
