#include <gtest/gtest.h>

#include <QDir>

#include "platform/device_folder.h"
#include "support/device_fixture.h"

namespace tallimer::platform {
namespace {

using test::DeviceTest;

class DeviceFolderTest : public DeviceTest {};

TEST_F(DeviceFolderTest, HandheldPathsResolveBelowFilesAndNeverLeaveIt) {
    const struct {
        const char16_t* handheld;
        const char* below;  // path below files/, empty for files/ itself
    } cases[] = {
        {u"\\My Documents\\Tallimer.txt", "My Documents/Tallimer.txt"},
        {u"tmp", "tmp"},
        {u"/a/b", "a/b"},
        {u"a\\\\b//c\\", "a/b/c"},
        {u".\\a\\.\\b", "a/b"},
        {u"a/x/../b", "a/b"},
        {u"..\\..\\x", "x"},
        {u"/../../etc", "etc"},
        {u"\\../..\\/etc/passwd", "etc/passwd"},
        {u"a\\..\\..\\..", ""},
        {u"", ""},
        {u"\\", ""},
        {u"...", "..."},
    };
    const QString root = QDir(home()).filePath("files");
    for (const auto& c : cases) {
        const QString below = QString::fromUtf8(c.below);
        const QString expected = below.isEmpty() ? root : root + "/" + below;
        EXPECT_EQ(HostPath(QString::fromUtf16(c.handheld)), expected)
            << QString::fromUtf16(c.handheld).toStdString();
    }
}

TEST_F(DeviceFolderTest, NulEndsTheHandheldPath) {
    // Kept as a name, "..\0x" would reach the host as "files/.." and name the device folder.
    EXPECT_EQ(HostPath(QString::fromUtf16(u"..\0x", 4)), FilesRoot());
    EXPECT_EQ(HostPath(QString::fromUtf16(u"a\0\\..\\b", 7)), FilesRoot() + "/a");
}

TEST_F(DeviceFolderTest, FolderFollowsTheEnvironmentOnEveryCall) {
    EXPECT_EQ(RegistryFilePath(), home() + "/registry.ini");
    const QByteArray oldXdg = qgetenv("XDG_DATA_HOME");
    qunsetenv("TALLIMER_HOME");
    qputenv("XDG_DATA_HOME", "/data/home");
    EXPECT_EQ(DeviceFolder(), "/data/home/Tallimer");
    qputenv("XDG_DATA_HOME", "relative");  // invalid, so ignored
    EXPECT_EQ(FilesRoot(), QDir::homePath() + "/.local/share/Tallimer/files");
    qputenv("XDG_DATA_HOME", oldXdg);
}

}  // namespace
}  // namespace tallimer::platform
