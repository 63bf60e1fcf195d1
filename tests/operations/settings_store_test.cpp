#include "operations/settings_store.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>

#include "model/zoom_steps.h"
#include "operations/desktop_preferences_store.h"
#include "platform/registry.h"
#include "support/device_fixture.h"

namespace tallimer {
namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
const Settings kNumbered{1, 2, -3, 4, 0x12345678, 6, 7, 8, 9, 10};
const QString kIni = QStringLiteral("\\My Documents\\Tallimer.ini");
// The reserved field included: it is kept, not zeroed.
const Settings kSample{30, 480, -75, 5, -123456789, ViewReport, -600, 600, 1080, 1};

class SettingsStoreTest : public test::DeviceTest {
  protected:
    // The settings file line as it is on disk.
    std::string settingsFile() const {
        std::string bytes;
        EXPECT_TRUE(readHandheld(kIni, &bytes));
        return bytes;
    }
};

TEST_F(SettingsStoreTest, SettingsFileOverridesTheRegistryBalance) {
    const std::pair<std::string, int32_t> files[] = {
        {"Flexitime = 8:30\r\n", 510},
        {"", -75},  // no "=": the registry's balance
        // Only the first 80 bytes are read: an "=" beyond is not seen, nor a ":" ...
        {std::string(80, ' ') + "= 8:30\r\n", -75},
        {std::string(70, ' ') + "= 3" + std::string(7, ' ') + ":30\r\n", 180},
        // ... and digits running past byte 80 end there.
        {std::string(77, ' ') + "=12345", 12 * 60},
    };
    for (const auto& [bytes, balance] : files) {
        ASSERT_TRUE(platform::RegistrySetValues(QStringView(kRegistryKey),
                                                {{"GLOBAL", SettingsToRecord(kSample)}}));
        writeHandheld(kIni, bytes);
        EXPECT_EQ(Loaded().settings.flexBalance, balance) << bytes;
    }
}

// A settings file that cannot be replaced keeps its old line, and one line says which file and
// why; the intent the save left finishes it at the next start.
TEST_F(SettingsStoreTest, FailedFileWriteIsReportedAndKeepsTheOldLine) {
    store.settings = kSample;
    BuildFilePaths(store);
    ASSERT_TRUE(SaveSettings(store));
    store.settings.flexBalance = 99;
    platform::FailStep(platform::FileStep::Rename, 1);  // the intent's, then the file's
    test::StorageLog log;
    EXPECT_FALSE(SaveSettings(store));
    EXPECT_EQ(log.lines, QStringList{"save settings: " + hostPath(kIni) + ": Input/output error"});
    EXPECT_EQ(settingsFile(), SettingsFileLine(kSample.flexBalance).toStdString());
    EXPECT_EQ(Loaded().settings.flexBalance, 99);
    EXPECT_EQ(settingsFile(), "Flexitime = 1:39\r\n");
    EXPECT_FALSE(QFile::exists(home() + "/Tallimer.intent"));
}

// desktop.ini holds the desktop's own preferences; a key that is missing or whose value is
// none of the words keeps its default. The timesheet's name stands before any section.
TEST_F(SettingsStoreTest, DesktopPreferencesFromTheirOwnFile) {
    EXPECT_EQ(LoadDesktopPreferences(), DesktopPreferences{});
    const QString path = home() + "/desktop.ini";
    // Each file of another size: QSettings keeps what it read of one whose size and time stay.
    for (const auto& [yes, no] : {std::pair{"true", "false"}, std::pair{"1", "0"},
                                  std::pair{"Yes", "Off"}, std::pair{"on", "NO"}}) {
        test::WriteHostFile(path, QByteArray("name = Ann Example \n[Reminders]\nTargetReached=") +
                                      no + "\nStillWorking=" + no + "\nNotStarted=" + yes +
                                      "\nNotStartedBy=8:45\n[Tray]\n" +
                                      "KeepRunningWhenClosed=" + yes + "\n");
        EXPECT_EQ(LoadDesktopPreferences(),
                  (DesktopPreferences{false, false, true, 525, true, "Ann Example"}))
            << yes;
    }
    test::WriteHostFile(path,
                        "[Reminders]\nTargetReached=maybe\nNotStarted=2\nNotStartedBy=25:00\n");
    EXPECT_EQ(LoadDesktopPreferences(), DesktopPreferences{});

    // Unreadable: the defaults, and a line on standard error.
    ASSERT_TRUE(QFile::remove(path) && QDir(home()).mkdir("desktop.ini"));
    test::StorageLog log;
    EXPECT_EQ(LoadDesktopPreferences(), DesktopPreferences{});
    EXPECT_EQ(log.lines.size(), 1);
}

// The window's zoom is written into desktop.ini by hand-edit rules: its line replaced or added
// in [Window], every other line and comment kept; read back as stored, a step found at start.
TEST_F(SettingsStoreTest, ZoomIsKeptInDesktopIniBesideWhatTheUserWrote) {
    const QString path = home() + "/desktop.ini";
    ASSERT_TRUE(SaveZoom(150));
    EXPECT_EQ(test::ReadHostFile(path), "[Window]\nZoom=150\n");
    EXPECT_EQ(LoadDesktopPreferences().zoom, 150);

    const QByteArray mine = "; my settings\nname=Ann\n\n[Tray]\nKeepRunningWhenClosed=true\n";
    test::WriteHostFile(path, mine);
    ASSERT_TRUE(SaveZoom(200));
    EXPECT_EQ(test::ReadHostFile(path), mine + "\n[Window]\nZoom=200\n");
    ASSERT_TRUE(SaveZoom(125));
    EXPECT_EQ(test::ReadHostFile(path), mine + "\n[Window]\nZoom=125\n");
    const DesktopPreferences read = LoadDesktopPreferences();
    EXPECT_EQ(read.zoom, 125);
    EXPECT_EQ(read.name, "Ann");
    EXPECT_TRUE(read.keepRunningInTray);

    EXPECT_EQ(WithIniValue("[window]\n zoom = 300 ; big\nx=1\n[Tray]\n", "Window", "Zoom", "100"),
              "[window]\nZoom=100\nx=1\n[Tray]\n");
    EXPECT_EQ(WithIniValue("[Window]\nx=1\n\n[Tray]\nZoom=5", "Window", "Zoom", "100"),
              "[Window]\nx=1\nZoom=100\n\n[Tray]\nZoom=5\n");

    for (const auto& [stored, step] : {std::pair{0, 100}, std::pair{137, 125}, std::pair{-40, 100},
                                       std::pair{1000, 300}, std::pair{260, 250}}) {
        EXPECT_EQ(NearestZoomStep(stored), step) << stored;
    }
    EXPECT_EQ(NextZoomStep(300, +1), 300);
    EXPECT_EQ(NextZoomStep(100, -1), 100);
    EXPECT_EQ(NextZoomStep(160, +1), 175);
    EXPECT_EQ(NextZoomStep(250, -1), 200);
    EXPECT_EQ(DefaultZoom(1000), 100);
    EXPECT_EQ(DefaultZoom(1001), 150);
    EXPECT_EQ(DefaultZoom(2160), 200);
}

// ---- The two stored forms: the 40-byte registry record and the settings file line ----

TEST(SettingsRecord, ShortValueFillsLeadingBytesOnlyAndLongValueIsCut) {
    Settings s = kNumbered;
    // Six bytes: the first field whole, the low half of the second.
    SettingsFromRecord(s, QByteArray("\x1E\x00\x00\x00\x60\x01", 6));
    Settings expected = kNumbered;
    expected.breakPerDay = 30;
    expected.targetPerDay = 0x0160;
    EXPECT_EQ(s, expected);
    SettingsFromRecord(s, QByteArray());  // nothing stored: nothing changes
    EXPECT_EQ(s, expected);
    Settings cut;
    SettingsFromRecord(cut, SettingsToRecord(kNumbered) + QByteArray(100, '\xFF'));
    EXPECT_EQ(cut, kNumbered);
}

// The line is written as hours and minutes, each with the sign, and read back from the "=" on:
// hours, then minutes after a ":"; a NUL ends a number, huge numbers saturate.
TEST(SettingsFile, LineFormAndReading) {
    for (const auto& [balance, line] :
         {std::pair{605, "Flexitime = 10:5\r\n"}, std::pair{-75, "Flexitime = -1:-15\r\n"},
          std::pair{-30, "Flexitime = 0:-30\r\n"},
          std::pair{kMin, "Flexitime = -35791394:-8\r\n"}}) {
        EXPECT_EQ(SettingsFileLine(balance), QByteArray(line)) << balance;
        EXPECT_EQ(ParseSettingsFile(line), balance) << line;
    }
    const std::pair<std::string, std::optional<int32_t>> cases[] = {
        {"=7", 420},
        {"a:9 = 2:15", 135},
        {"Flexitime = 1\r\n:20", 80},
        {"Flexitime 8:30", std::nullopt},
        {std::string("Flexitime = \0005:10", 17), 10},
        {"Flexitime = 99999999999:99999999999", kMax},
        {"Flexitime = 35791394:8", kMax},
    };
    for (const auto& [bytes, balance] : cases) {
        EXPECT_EQ(ParseSettingsFile(bytes), balance) << bytes;
    }
}

}  // namespace
}  // namespace tallimer
