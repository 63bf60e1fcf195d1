#include "ui/single_instance.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "support/device_fixture.h"

namespace tallimer {
namespace {

using SingleInstanceTest = test::DeviceTest;

// Lets the event loop run until `done` holds, for at most five seconds.
template <typename Done>
bool ProcessEventsUntil(Done done) {
    QDeadlineTimer deadline(5000);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return done();
}

TEST_F(SingleInstanceTest, SecondStartRaisesTheRunningInstance) {
    int raised = 0;
    SingleInstance first;
    EXPECT_FALSE(first.AskRunningInstanceToRaise());  // nobody listens yet
    ASSERT_TRUE(first.Listen([&] { ++raised; }));

    SingleInstance second;
    EXPECT_FALSE(second.Listen([] {}));  // a live instance keeps its name
    EXPECT_TRUE(second.AskRunningInstanceToRaise());
    EXPECT_TRUE(ProcessEventsUntil([&] { return raised > 0; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(raised, 1);
}

TEST_F(SingleInstanceTest, NameLeftByACrashedInstanceIsTakenOver) {
    QFile stale(QDir::tempPath() + u'/' + SingleInstance::ServerName());
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();

    int raised = 0;
    SingleInstance instance;
    ASSERT_TRUE(instance.Listen([&] { ++raised; }));
    EXPECT_TRUE(SingleInstance().AskRunningInstanceToRaise());
    EXPECT_TRUE(ProcessEventsUntil([&] { return raised > 0; }));
}

// The same folder however it is spelled; the exact name is what second_instance_test.sh
// waits for.
TEST_F(SingleInstanceTest, NameBelongsToTheDeviceFolder) {
    const QString name = SingleInstance::ServerName();
    qputenv("TALLIMER_HOME", (home() + QStringLiteral("/./")).toLocal8Bit());
    EXPECT_EQ(SingleInstance::ServerName(), name);

    QTemporaryDir other;
    ASSERT_TRUE(other.isValid());
    qputenv("TALLIMER_HOME", other.path().toLocal8Bit());
    EXPECT_NE(SingleInstance::ServerName(), name);
}

}  // namespace
}  // namespace tallimer
