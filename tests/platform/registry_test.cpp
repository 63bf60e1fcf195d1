#include <gtest/gtest.h>

#include <QFile>

#include "platform/device_folder.h"
#include "platform/registry.h"
#include "support/device_fixture.h"

namespace tallimer::platform {
namespace {

using test::DeviceTest;

constexpr char16_t kKey[] = u"SOFTWARE\\Quorvane\\Tallimer";

class RegistryTest : public DeviceTest {};

TEST_F(RegistryTest, ValuesRoundTripThroughTheStore) {
    EXPECT_FALSE(RegistryKeyExists(kKey));
    EXPECT_FALSE(RegistryQueryValue(kKey, u"GLOBAL").has_value());

    QByteArray global;
    for (int i = 0; i < 40; ++i) {
        global.append(static_cast<char>((i * 37 + 200) % 256));
    }
    global[0] = '\0';
    global[1] = '@';
    const QString dbPath = QStringLiteral("\\My Documents\\Work, \"2004\"\\");
    ASSERT_TRUE(RegistrySetValues(kKey, {{"GLOBAL", global}, {"DBPATH", dbPath}}));

    EXPECT_TRUE(RegistryKeyExists(kKey));
    EXPECT_FALSE(RegistryKeyExists(u"SOFTWARE\\Quorvane\\Other"));
    EXPECT_EQ(RegistryQueryValue(kKey, u"GLOBAL").value_or(QVariant()).toByteArray(), global);
    EXPECT_EQ(RegistryQueryValue(kKey, u"DBPATH").value_or(QVariant()).toString(), dbPath);
    EXPECT_FALSE(RegistryQueryValue(kKey, u"MISSING").has_value());

    // The key is the group named in the store's file, shared with anything reading it.
    QFile ini(RegistryFilePath());
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_TRUE(ini.readAll().contains("[HKEY_LOCAL_MACHINE]"));
}

TEST_F(RegistryTest, EachCaseSeesItsOwnDeviceFolder) {
    ASSERT_TRUE(RegistrySetValues(kKey, {{"DBPATH", QStringLiteral("first")}}));
    QTemporaryDir other;
    qputenv("TALLIMER_HOME", other.path().toLocal8Bit());
    EXPECT_FALSE(RegistryQueryValue(kKey, u"DBPATH").has_value());
    qputenv("TALLIMER_HOME", home().toLocal8Bit());
    EXPECT_EQ(RegistryQueryValue(kKey, u"DBPATH").value_or(QVariant()).toString(), "first");
}

TEST_F(RegistryTest, UnwritableStoreReportsFailure) {
    // A device folder that cannot be made (a plain file is in its place) cannot be written.
    const QString blocked = home() + "/blocked";
    QFile file(blocked);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    qputenv("TALLIMER_HOME", blocked.toLocal8Bit());
    EXPECT_FALSE(RegistrySetValues(kKey, {{"DBPATH", QStringLiteral("x")}}));
    EXPECT_FALSE(RegistryKeyExists(kKey));
}

}  // namespace
}  // namespace tallimer::platform
