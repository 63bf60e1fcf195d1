#include "platform/file.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/fault.h"
#include "support/device_fixture.h"

namespace tallimer::platform {
namespace {

using FileTest = test::DeviceTest;

TEST_F(FileTest, SecondHolderCannotOpenUntilTheFirstCloses) {
    writeHandheld("j.txt", "abc");
    File first = File::OpenExisting(u"j.txt", File::Access::Read);
    ASSERT_TRUE(first.isOpen());
    EXPECT_FALSE(File::OpenExisting(u"j.txt", File::Access::Read).isOpen());
    bool created = true;
    EXPECT_FALSE(File::OpenOrCreate(u"j.txt", &created).isOpen());
    EXPECT_FALSE(created);

    File moved = std::move(first);
    EXPECT_FALSE(File::OpenExisting(u"j.txt", File::Access::Read).isOpen());
    EXPECT_TRUE(moved.close());
    EXPECT_TRUE(File::OpenExisting(u"j.txt", File::Access::ReadWrite).isOpen());
}

TEST_F(FileTest, OpenOrCreateMakesFoldersAndTellsWhetherItCreated) {
    bool created = false;
    File file = File::OpenOrCreate(u"\\My Documents\\sub\\j.txt", &created);
    ASSERT_TRUE(file.isOpen());
    EXPECT_TRUE(created);
    ASSERT_TRUE(file.write("x"));
    file.close();
    file = File::OpenOrCreate(u"/My Documents/sub/j.txt", &created);
    EXPECT_FALSE(created);
    EXPECT_EQ(file.seekToEnd(), 1);
    EXPECT_FALSE(File::OpenExisting(u"My Documents", File::Access::Read).isOpen());

    // A file this open created but could not lock is removed again.
    FailStep(FileStep::Lock);
    EXPECT_FALSE(File::OpenOrCreate(u"new.txt", &created).isOpen());
    EXPECT_FALSE(FileExists(u"new.txt"));
}

TEST_F(FileTest, CreateReplacingEmptiesOnlyAnUnlockedFile) {
    writeHandheld("tmp", "keep me");
    {
        File holder = File::OpenExisting(u"tmp", File::Access::Read);
        ASSERT_TRUE(holder.isOpen());
        EXPECT_FALSE(File::CreateReplacing(u"tmp").isOpen());
    }
    std::string content;
    ASSERT_TRUE(readHandheld("tmp", &content));
    EXPECT_EQ(content, "keep me");

    File replaced = File::CreateReplacing(u"tmp");
    ASSERT_TRUE(replaced.isOpen());
    EXPECT_EQ(replaced.seekToEnd(), 0);
}

TEST_F(FileTest, RenameOverReplacesTheTarget) {
    writeHandheld("tmp", "new");
    writeHandheld("\\My Documents\\j.txt", "old and longer");
    ASSERT_TRUE(RenameOver(u"tmp", u"\\My Documents\\j.txt"));
    EXPECT_FALSE(FileExists(u"tmp"));
    std::string content;
    ASSERT_TRUE(readHandheld("\\My Documents\\j.txt", &content));
    EXPECT_EQ(content, "new");
}

TEST_F(FileTest, EachArmedStepFailsItsOperationOnce) {
    writeHandheld("a", "0123456789");
    writeHandheld("b", "");
    using A = File::Access;
    const struct {
        FileStep step;
        std::function<bool()> operation;  // true when it succeeded
    } cases[] = {
        // Open stands for the steps the journal fault tests arm through their operations.
        {FileStep::Open, [] { return File::OpenExisting(u"a", A::Read).isOpen(); }},
        {FileStep::Truncate, [] { return File::OpenExisting(u"b", A::Write).truncate(0); }},
        {FileStep::Truncate, [] { return File::CreateReplacing(u"c").isOpen(); }},
        // The open after a failed close succeeds only when that close released the lock.
        {FileStep::Close, [] { return File::OpenExisting(u"a", A::Read).close(); }},
        {FileStep::Delete, [] { return File::CreateReplacing(u"d").close() && DeleteFile(u"d"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.step));
        EXPECT_TRUE(c.operation());
        FailStep(c.step);
        EXPECT_FALSE(c.operation());
        EXPECT_TRUE(c.operation());
    }

    // A skip counts the calls before the failing one; a failing write leaves half its bytes.
    File file = File::CreateReplacing(u"j.txt");
    FailStep(FileStep::Write, 2);
    EXPECT_TRUE(file.write("a"));
    EXPECT_TRUE(file.write("b"));
    EXPECT_FALSE(file.write("cdef"));
    EXPECT_TRUE(file.write("g"));
    file.close();
    std::string content;
    ASSERT_TRUE(readHandheld("j.txt", &content));
    EXPECT_EQ(content, "abcdg");
}

}  // namespace
}  // namespace tallimer::platform
