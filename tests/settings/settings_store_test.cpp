#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QVariant>
#include <string>

#include "platform/fault.h"
#include "platform/registry.h"
#include "settings/settings_store.h"
#include "support/device_fixture.h"

namespace tallimer {
namespace {

const QString kIni = QStringLiteral("\\My Documents\\Tallimer.ini");

class SettingsStoreTest : public test::DeviceTest {
  protected:
    static Settings Sample() {
        Settings s;
        s.breakPerDay = 30;
        s.targetPerDay = 480;
        s.flexBalance = -75;
        s.minuteUnit = 5;
        s.reserved = -123456789;
        s.viewKind = ViewReport;
        s.flexMinimum = -600;
        s.flexMaximum = 600;
        s.cutOffTime = 1080;
        s.automaticMode = 1;
        return s;
    }
    static void StoreGlobal(const QByteArray& record) {
        ASSERT_TRUE(platform::RegistrySetValues(QStringView(kRegistryKey),
                                                {{QStringLiteral("GLOBAL"), record}}));
    }
    static SettingsStore Loaded() {
        SettingsStore store;
        LoadSettings(store);
        return store;
    }
};

TEST_F(SettingsStoreTest, FirstStartDefaults) {
    const SettingsStore store = Loaded();
    EXPECT_EQ(store.settings, Settings{});
    EXPECT_EQ(store.databaseDirectory, QStringLiteral("\\My Documents\\"));
    EXPECT_EQ(store.journalPath, QStringLiteral("\\My Documents\\Tallimer.txt"));
    EXPECT_EQ(store.settingsFilePath, kIni);
}

TEST_F(SettingsStoreTest, SaveThenLoadRoundTrips) {
    SettingsStore store;
    store.settings = Sample();
    store.databaseDirectory = QStringLiteral("\\Storage Card\\Work\\");
    BuildFilePaths(store);
    ASSERT_TRUE(SaveSettings(store));

    const auto global = platform::RegistryQueryValue(QStringView(kRegistryKey), u"GLOBAL");
    ASSERT_TRUE(global.has_value());
    EXPECT_EQ(global->toByteArray(), SettingsToRecord(Sample()));
    const auto dbPath = platform::RegistryQueryValue(QStringView(kRegistryKey), u"DBPATH");
    ASSERT_TRUE(dbPath.has_value());
    EXPECT_EQ(dbPath->toString(), store.databaseDirectory);

    std::string file;
    ASSERT_TRUE(readHandheld(QStringLiteral("\\Storage Card\\Work\\Tallimer.ini"), &file));
    EXPECT_EQ(file, "Flexitime = -1:-15\r\n");

    const SettingsStore loaded = Loaded();
    EXPECT_EQ(loaded.settings, Sample());  // the reserved field included
    EXPECT_EQ(loaded.databaseDirectory, store.databaseDirectory);
    EXPECT_EQ(loaded.journalPath, QStringLiteral("\\Storage Card\\Work\\Tallimer.txt"));
}

TEST_F(SettingsStoreTest, SettingsFileOverridesTheRegistryBalance) {
    StoreGlobal(SettingsToRecord(Sample()));
    writeHandheld(kIni, "Flexitime = 8:30\r\n");
    EXPECT_EQ(Loaded().settings.flexBalance, 510);
}

TEST_F(SettingsStoreTest, UnusableSettingsFileLeavesTheRegistryBalance) {
    const std::string files[] = {
        "",
        "Flexitime 8:30\r\n",
        // The "=" lies beyond the 80 bytes that are read.
        std::string(80, ' ') + "= 8:30\r\n",
    };
    for (const std::string& bytes : files) {
        StoreGlobal(SettingsToRecord(Sample()));
        writeHandheld(kIni, bytes);
        EXPECT_EQ(Loaded().settings.flexBalance, -75) << bytes;
    }
}

TEST_F(SettingsStoreTest, OnlyTheFirst80BytesAreRead) {
    // The ":" beyond byte 80 is not seen: whole hours.
    writeHandheld(kIni, std::string(70, ' ') + "= 3" + std::string(7, ' ') + ":30\r\n");
    EXPECT_EQ(Loaded().settings.flexBalance, 180);
    // Digits running past byte 80 end there.
    writeHandheld(kIni, std::string(77, ' ') + "=12345");
    EXPECT_EQ(Loaded().settings.flexBalance, 12 * 60);
}

TEST_F(SettingsStoreTest, ShortGlobalFillsLeadingFieldsOnly) {
    StoreGlobal(QByteArray("\x2D\x00\x00\x00\xE0\x01\x00\x00", 8));
    SettingsStore store;
    store.settings = Sample();
    LoadSettings(store);
    Settings expected = Sample();
    expected.breakPerDay = 45;
    expected.targetPerDay = 480;
    EXPECT_EQ(store.settings, expected);
}

TEST_F(SettingsStoreTest, DirectoryWithoutBackslashIsUsedAsStored) {
    ASSERT_TRUE(platform::RegistrySetValues(
        QStringView(kRegistryKey), {{QStringLiteral("DBPATH"), QStringLiteral("\\Data")}}));
    writeHandheld(QStringLiteral("\\DataTallimer.ini"), "Flexitime = 1:1\r\n");
    const SettingsStore store = Loaded();
    EXPECT_EQ(store.journalPath, QStringLiteral("\\DataTallimer.txt"));
    EXPECT_EQ(store.settingsFilePath, QStringLiteral("\\DataTallimer.ini"));
    EXPECT_EQ(store.settings.flexBalance, 61);
    EXPECT_EQ(store.settings.minuteUnit, 0);  // no GLOBAL: the record keeps its values
}

TEST_F(SettingsStoreTest, FailedFileWriteIsReportedAndKeepsTheOldLine) {
    SettingsStore store;
    store.settings = Sample();
    BuildFilePaths(store);
    platform::FailStep(platform::FileStep::Open);
    EXPECT_FALSE(SaveSettings(store));
    // The registry was still written.
    EXPECT_EQ(Loaded().settings, Sample());

    store.settings.flexBalance = 605;
    ASSERT_TRUE(SaveSettings(store));
    store.settings.flexBalance = 99;
    for (platform::FileStep step : {platform::FileStep::Write, platform::FileStep::Flush,
                                    platform::FileStep::Close, platform::FileStep::Rename}) {
        platform::FailStep(step);
        EXPECT_FALSE(SaveSettings(store));
        std::string file;
        ASSERT_TRUE(readHandheld(kIni, &file));
        EXPECT_EQ(file, "Flexitime = 10:5\r\n");
        EXPECT_FALSE(QFile::exists(hostPath(kIni + ".new")));
        platform::ClearFaults();
    }
}

TEST_F(SettingsStoreTest, FailedRegistryWriteStillWritesTheFile) {
    // A folder in the registry store's place makes it unwritable.
    ASSERT_TRUE(QDir(home()).mkpath(QStringLiteral("registry.ini")));
    SettingsStore store;
    store.settings.flexBalance = 605;
    BuildFilePaths(store);
    EXPECT_FALSE(SaveSettings(store));
    std::string file;
    ASSERT_TRUE(readHandheld(kIni, &file));
    EXPECT_EQ(file, "Flexitime = 10:5\r\n");
}

}  // namespace
}  // namespace tallimer
