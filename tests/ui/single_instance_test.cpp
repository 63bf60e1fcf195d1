#include "ui/single_instance.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QLocalServer>
#include <QTemporaryDir>
#include <QTest>

#include "support/device_fixture.h"

namespace tallimer {
namespace {

// A device folder and a private runtime folder of its own.
class SingleInstanceTest : public test::DeviceTest {
  protected:
    void SetUp() override {
        DeviceTest::SetUp();
        ASSERT_TRUE(runtime_.isValid());
        qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit());
    }
    void TearDown() override {
        qunsetenv("XDG_RUNTIME_DIR");
        DeviceTest::TearDown();
    }
    QTemporaryDir runtime_;
};

// A crashed instance's lock (its process is gone) and a stranger on the name do not stop the
// next start; a second one cannot lock and asks it to raise its window.
TEST_F(SingleInstanceTest, StaleLockAndATakenNameAreTakenOver) {
    const pid_t gone = fork();
    if (gone == 0) {
        _exit(0);
    }
    ASSERT_GT(gone, 0);
    waitpid(gone, nullptr, 0);
    QFile stale(SingleInstance::lockPath());
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(QByteArray::number(gone) + "\ntest_ui\n" + QSysInfo::machineHostName().toUtf8() +
                "\n");
    stale.close();
    QLocalServer squatter;
    ASSERT_TRUE(squatter.listen(SingleInstance::serverName()));

    int raised = 0;
    SingleInstance instance;
    ASSERT_TRUE(instance.lock());
    ASSERT_TRUE(instance.listen([&] { ++raised; }));
    SingleInstance second;
    EXPECT_FALSE(second.lock());
    EXPECT_TRUE(second.askRunningInstanceToRaise());
    EXPECT_TRUE(QTest::qWaitFor([&] { return raised > 0; }, 5000));
}

}  // namespace
}  // namespace tallimer
