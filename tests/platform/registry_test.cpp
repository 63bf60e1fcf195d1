#include "platform/registry.h"

#include <gtest/gtest.h>

#include <QFile>

#include "platform/device_folder.h"
#include "support/device_fixture.h"

namespace tallimer::platform {
namespace {

constexpr char16_t kKey[] = u"SOFTWARE\\Quorvane\\Tallimer";

using RegistryTest = test::DeviceTest;

TEST_F(RegistryTest, ValuesRoundTripThroughTheStore) {
    EXPECT_FALSE(RegistryKeyExists(kKey));
    EXPECT_FALSE(RegistryQueryValue(kKey, u"GLOBAL").has_value());

    // Bytes and text a text-based store would mangle: NUL, "@", high bytes, quotes, commas.
    const QByteArray global("\0@\xff\x80=;\"\r\n[]\\", 12);
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

}  // namespace
}  // namespace tallimer::platform
