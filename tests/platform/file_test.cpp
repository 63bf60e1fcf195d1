#include "platform/file.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <chrono>
#include <string>
#include <thread>
#include <utility>

#include "platform/fault.h"
#include "support/device_fixture.h"

namespace {
int injectedFlockError = 0;  // set: the next flock fails with it
}  // namespace

// The file layer is linked statically into the test, so this takes the C library's place.
extern "C" int flock(int fd, int operation) noexcept {
    if (const int error = std::exchange(injectedFlockError, 0); error != 0) {
        errno = error;
        return -1;
    }
    static const auto real = reinterpret_cast<int (*)(int, int)>(dlsym(RTLD_NEXT, "flock"));
    return real(fd, operation);
}

namespace tallimer::platform {
namespace {

using FileTest = test::DeviceTest;

TEST_F(FileTest, ReadersShareAWriterWaitsForThemAndASecondWriterFails) {
    writeHandheld("j.txt", "abc");
    File writer = File::OpenExisting(u"j.txt", File::Access::ReadWrite);
    ASSERT_TRUE(writer.isOpen());
    bool created = true;
    EXPECT_FALSE(File::OpenOrCreate(u"j.txt", &created).isOpen());
    EXPECT_FALSE(created);
    File moved = std::move(writer);
    // A reader waits about a second for the writer, then gives up.
    EXPECT_FALSE(File::OpenExisting(u"j.txt", File::Access::Read).isOpen());
    EXPECT_TRUE(moved.close());

    // Readers share the file; a writer (the journal's Save opens so) waits for the last one.
    File reader = File::OpenExisting(u"j.txt", File::Access::Read);
    ASSERT_TRUE(reader.isOpen());
    EXPECT_TRUE(File::OpenExisting(u"j.txt", File::Access::Read).isOpen());
    std::thread closer([&reader] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        reader.close();
    });
    EXPECT_TRUE(File::OpenOrCreate(u"j.txt", &created).isOpen());
    closer.join();
}

// A lock the system refuses for another reason than a holder's is no lock: the open fails. An
// interrupted call is tried again.
TEST_F(FileTest, OnlyAnInterruptedLockIsTriedAgain) {
    writeHandheld("j.txt", "abc");
    injectedFlockError = ENOLCK;
    EXPECT_FALSE(File::OpenExisting(u"j.txt", File::Access::Read).isOpen());
    injectedFlockError = EINTR;
    EXPECT_TRUE(File::OpenExisting(u"j.txt", File::Access::Read).isOpen());
}

TEST_F(FileTest, ReplacementReplacesASymlinksTargetWithItsModeAndLeavesNoTemporary) {
    writeHandheld("real/j.txt", "old and longer");
    const QString real = hostPath("real/j.txt");
    ASSERT_EQ(::chmod(QFile::encodeName(real).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(real, hostPath("j.txt")));
    // A crash's temporary goes; one being written (locked) stays.
    writeHandheld("real/j.txt.new-Ab3xYz", "stale");
    Replacement busy = Replacement::Beside(u"j.txt");
    ASSERT_TRUE(busy.isOpen());
    RemoveStaleReplacements(u"j.txt");
    EXPECT_EQ(QDir(hostPath("real")).entryList(QDir::Files).size(), 2);
    busy = Replacement();

    Replacement replacement = Replacement::Beside(u"j.txt");
    ASSERT_TRUE(replacement.isOpen());
    ASSERT_TRUE(replacement.file().write("new"));
    ASSERT_TRUE(replacement.commit());
    EXPECT_TRUE(QFileInfo(hostPath("j.txt")).isSymLink());
    std::string content;
    ASSERT_TRUE(readHandheld("real/j.txt", &content));
    EXPECT_EQ(content, "new");
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(real).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(QDir(hostPath("real")).entryList(QDir::Files), QStringList{"j.txt"});
}

// The fault seam's other steps fail through the operations that take them (the journal's fault
// tests). A close that fails still gives up the file and its lock, so the next writer gets it.
TEST_F(FileTest, AFailedCloseReleasesTheLock) {
    writeHandheld("a", "0123456789");
    File held = File::OpenExisting(u"a", File::Access::ReadWrite);
    FailStep(FileStep::Close);
    EXPECT_FALSE(held.close());
    EXPECT_TRUE(File::OpenExisting(u"a", File::Access::ReadWrite).isOpen());
}

// An open file tells the identity its path has, and keeps it once the path names another.
TEST_F(FileTest, AnOpenFileKnowsItsIdentity) {
    writeHandheld("a", "0123456789");
    const File open = File::OpenExisting(u"a", File::Access::Read);
    const FileIdentity before = IdentifyFile(u"a");
    EXPECT_TRUE(open.identity().exists);
    EXPECT_EQ(open.identity().size, 10);
    EXPECT_EQ(open.identity().inode, before.inode);
    writeHandheld("b", "x");
    ASSERT_TRUE(QFile::remove(hostPath("a")) && QFile::rename(hostPath("b"), hostPath("a")));
    EXPECT_EQ(open.identity().inode, before.inode);
    EXPECT_NE(IdentifyFile(u"a").inode, before.inode);
}

}  // namespace
}  // namespace tallimer::platform
