// "Start with the session": the XDG autostart entry, and the session's switches in desktop.ini.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "operations/autostart_entry.h"
#include "operations/desktop_preferences_store.h"
#include "support/device_fixture.h"

namespace tallimer::test {
namespace {

class AutostartTest : public DeviceTest {
  protected:
    void SetUp() override {
        DeviceTest::SetUp();
        ASSERT_TRUE(config_.isValid());
        previousConfig_ = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit());
    }
    void TearDown() override {
        qputenv("XDG_CONFIG_HOME", previousConfig_);
        DeviceTest::TearDown();
    }
    QString entryPath() const {
        return config_.path() + "/autostart/org.tallimer.Tallimer.desktop";
    }

  private:
    QTemporaryDir config_;
    QByteArray previousConfig_;
};

// Quoted only where a reserved character needs it; inside quotes ", `, $ and \ take a backslash,
// and then every backslash is escaped once more as in any string value; % is doubled.
TEST(DesktopExecArgument, QuotesAndEscapesAsTheDesktopEntryRulesSay) {
    EXPECT_EQ(DesktopExecArgument("/usr/bin/tallimer"), "/usr/bin/tallimer");
    EXPECT_EQ(DesktopExecArgument("/opt/My Apps/tallimer"), R"("/opt/My Apps/tallimer")");
    EXPECT_EQ(DesktopExecArgument(R"(/o'k/"q"/$x/`y`/a\b)"),
              R"("/o'k/\\"q\\"/\\$x/\\`y\\`/a\\\\b")");
    EXPECT_EQ(DesktopExecArgument("/100%/t"), "/100%%/t");
    EXPECT_EQ(DesktopExecArgument("/a\tb"), "\"/a\\tb\"");
    EXPECT_EQ(DesktopExecArgument(""), "\"\"");
}

TEST_F(AutostartTest, WrittenWithTheDeviceFolderAndRemoved) {
    EXPECT_EQ(AutostartEntryPath(), entryPath());
    EXPECT_FALSE(AutostartEntryExists());
    QString failure;
    ASSERT_TRUE(SetAutostartEntry(true, "/opt/Time Keeping/tallimer", failure))
        << failure.toStdString();
    EXPECT_TRUE(AutostartEntryExists());
    const QByteArray entry = ReadHostFile(entryPath());
    EXPECT_TRUE(entry.startsWith("[Desktop Entry]\nType=Application\nName=Tallimer\n"))
        << entry.toStdString();
    EXPECT_TRUE(entry.contains("\nExec=env TALLIMER_HOME=" + home().toUtf8() +
                               " \"/opt/Time Keeping/tallimer\"\n"))
        << entry.toStdString();
    EXPECT_TRUE(entry.contains("\nIcon=org.tallimer.Tallimer\n"));

    qunsetenv("TALLIMER_HOME");  // the desktop's default device folder
    ASSERT_TRUE(SetAutostartEntry(true, "/usr/bin/tallimer", failure));
    EXPECT_TRUE(ReadHostFile(entryPath()).contains("\nExec=/usr/bin/tallimer\n"));

    ASSERT_TRUE(SetAutostartEntry(false, "/usr/bin/tallimer", failure));
    EXPECT_FALSE(AutostartEntryExists());
    EXPECT_TRUE(SetAutostartEntry(false, "/usr/bin/tallimer", failure));  // none: nothing to do
}

TEST_F(AutostartTest, AFailureNamesTheFileAndChangesNothing) {
    // A file where the autostart folder should be.
    WriteHostFile(QFileInfo(entryPath()).absolutePath(), "not a folder");
    QString failure;
    EXPECT_FALSE(SetAutostartEntry(true, "/usr/bin/tallimer", failure));
    EXPECT_TRUE(failure.startsWith(entryPath() + ": ")) << failure.toStdString();
    EXPECT_EQ(ReadHostFile(QFileInfo(entryPath()).absolutePath()), "not a folder");
}

// The session's switches go into desktop.ini beside what it holds, comments too; read back with the
// absence's length, which keeps its default unless it is a number of minutes.
TEST_F(AutostartTest, SessionSwitchesKeepTheRestOfDesktopIni) {
    const QString path = home() + "/desktop.ini";
    WriteHostFile(path,
                  "name=Ann Example\n[Tray]\nKeepRunningWhenClosed=true\n"
                  "[Session]\n; longer than a coffee\nAbsenceMinutes=12\n");
    QString failure;
    ASSERT_TRUE(SaveSessionSwitch(SessionSwitch::StopWhileLocked, false, failure))
        << failure.toStdString();
    ASSERT_TRUE(SaveSessionSwitch(SessionSwitch::StartWithSession, true, failure))
        << failure.toStdString();
    DesktopPreferences expected;
    expected.name = "Ann Example";
    expected.keepRunningInTray = true;
    expected.startWithSession = true;
    expected.stopWhileLocked = false;
    expected.absenceMinutes = 12;
    EXPECT_EQ(LoadDesktopPreferences(), expected);
    EXPECT_TRUE(ReadHostFile(path).contains("\n; longer than a coffee\nAbsenceMinutes=12\n"));

    for (const char* minutes : {"-3", "five", ""}) {
        WriteHostFile(path, QByteArray("[Session]\nAbsenceMinutes=") + minutes + "\n");
        EXPECT_EQ(LoadDesktopPreferences().absenceMinutes, 5) << minutes;
    }
    // A link in its place is not written through.
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::link(home() + "/elsewhere.ini", path));
    EXPECT_FALSE(SaveSessionSwitch(SessionSwitch::StopWhileLocked, true, failure));
    EXPECT_TRUE(failure.startsWith(path + ": ")) << failure.toStdString();
    EXPECT_FALSE(QFile::exists(home() + "/elsewhere.ini"));
}

}  // namespace
}  // namespace tallimer::test
