#include "ui/single_instance.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <thread>

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
    ASSERT_TRUE(instance.listen([&](const QByteArray&) { ++raised; }));
    SingleInstance second;
    EXPECT_FALSE(second.lock());
    EXPECT_TRUE(second.askRunningInstanceToRaise());
    EXPECT_TRUE(QTest::qWaitFor([&] { return raised > 0; }, 5000));
}

// A second start hands on its launcher's activation token; an older start's request, the line
// "raise" alone, still brings the window to the front, and a request too long for one does not.
TEST_F(SingleInstanceTest, TheActivationTokenReachesTheRunningInstance) {
    SingleInstance instance;
    ASSERT_TRUE(instance.lock());
    QList<QByteArray> tokens;
    ASSERT_TRUE(instance.listen([&](const QByteArray& token) { tokens.append(token); }));

    SingleInstance().askRunningInstanceToRaise("0b5c7e0f-3a41");
    ASSERT_TRUE(QTest::qWaitFor([&] { return tokens.size() == 1; }, 5000));
    EXPECT_EQ(tokens.last(), "0b5c7e0f-3a41");

    const auto send = [](const QByteArray& request) {
        QLocalSocket socket;
        socket.connectToServer(SingleInstance::serverName());
        ASSERT_TRUE(socket.waitForConnected(1000));
        socket.write(request);
        ASSERT_TRUE(socket.waitForBytesWritten(1000));
        socket.disconnectFromServer();
    };
    send("raise\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return tokens.size() == 2; }, 5000));
    EXPECT_EQ(tokens.last(), QByteArray());

    send("raise\ntoken " + QByteArray(1000, 'a') + "\n");
    send("raise\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return tokens.size() >= 3; }, 5000));
    EXPECT_EQ(tokens.size(), 3);
}

// Two starts at the same moment: the lock file of the one that took it is empty for an
// instant, and the other must wait for its holder instead of removing it as junk.
TEST_F(SingleInstanceTest, ALockBeingTakenKeepsASecondStartOut) {
    QDir().mkpath(QFileInfo(SingleInstance::lockPath()).path());
    QFile taking(SingleInstance::lockPath());
    ASSERT_TRUE(taking.open(QIODevice::WriteOnly));
    std::thread holder([&taking] {
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        taking.write(QByteArray::number(::getpid()) + "\ntest_ui\n" +
                     QSysInfo::machineHostName().toUtf8() + "\n");
        taking.close();
    });
    SingleInstance second;
    EXPECT_FALSE(second.lock());
    holder.join();
    EXPECT_TRUE(QFileInfo::exists(SingleInstance::lockPath()));
}

}  // namespace
}  // namespace tallimer
