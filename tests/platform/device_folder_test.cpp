#include "platform/device_folder.h"

#include <gtest/gtest.h>

#include "support/device_fixture.h"

namespace tallimer::platform {
namespace {

using DeviceFolderTest = test::DeviceTest;

TEST_F(DeviceFolderTest, HandheldPathsResolveBelowFilesAndNeverLeaveIt) {
    const struct {
        const char16_t* handheld;
        const char* below;  // path below files/, empty for files/ itself
    } cases[] = {
        {u"\\My Documents\\Tallimer.txt", "My Documents/Tallimer.txt"},
        {u"a\\\\b//c\\", "a/b/c"},
        {u".\\a\\.\\b", "a/b"},
        {u"a/x/../b", "a/b"},
        {u"\\../..\\/etc/passwd", "etc/passwd"},
        {u"a\\..\\..\\..", ""},
        {u"...", "..."},
    };
    for (const auto& c : cases) {
        const QString below = QString::fromUtf8(c.below);
        EXPECT_EQ(HostPath(QString::fromUtf16(c.handheld)),
                  below.isEmpty() ? FilesRoot() : FilesRoot() + "/" + below)
            << QString::fromUtf16(c.handheld).toStdString();
    }
    EXPECT_EQ(FilesRoot(), home() + "/files");
}

TEST_F(DeviceFolderTest, NulEndsTheHandheldPath) {
    // Kept as a name, "..\0x" would reach the host as "files/.." and name the device folder.
    EXPECT_EQ(HostPath(QString::fromUtf16(u"..\0x", 4)), FilesRoot());
    EXPECT_EQ(HostPath(QString::fromUtf16(u"a\0\\..\\b", 7)), FilesRoot() + "/a");
}

}  // namespace
}  // namespace tallimer::platform
