#include "platform/device_folder.h"

#include <gtest/gtest.h>

#include <string_view>

#include "support/device_fixture.h"

namespace tallimer::platform {
namespace {

using DeviceFolderTest = test::DeviceTest;

// A NUL ends the path: kept as a name, "..\0x" would reach the host as "files/.." and name the
// device folder.
TEST_F(DeviceFolderTest, HandheldPathsResolveBelowFilesAndNeverLeaveIt) {
    using namespace std::string_view_literals;
    const std::pair<std::u16string_view, const char*> cases[] = {
        {u"\\My Documents\\Tallimer.txt", "My Documents/Tallimer.txt"},
        {u"a\\\\b//c\\", "a/b/c"},
        {u".\\a\\.\\b", "a/b"},
        {u"a/x/../b", "a/b"},
        {u"\\../..\\/etc/passwd", "etc/passwd"},
        {u"a\\..\\..\\..", ""},
        {u"...", "..."},
        {u"..\0x"sv, ""},
        {u"a\0\\..\\b"sv, "a"},
    };
    for (const auto& [handheld, below] : cases) {
        const QString path = QString::fromUtf16(handheld.data(), qsizetype(handheld.size()));
        EXPECT_EQ(HostPath(path), *below != 0 ? FilesRoot() + "/" + below : FilesRoot())
            << path.toStdString();
    }
    EXPECT_EQ(FilesRoot(), home() + "/files");
}

}  // namespace
}  // namespace tallimer::platform
