#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <string>

#include "platform/clock.h"
#include "platform/fault.h"

namespace tallimer::test {

// Every test gets its own device folder (TALLIMER_HOME), a fixed clock and no faults.
class DeviceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(home_.isValid());
        qputenv("TALLIMER_HOME", home_.path().toLocal8Bit());
        platform::SetClock(QDateTime(QDate(2004, 1, 23), QTime(13, 0)));
        platform::ClearFaults();
    }
    void TearDown() override {
        platform::ClearFaults();
        platform::UseSystemClock();
        qunsetenv("TALLIMER_HOME");
    }

    QString home() const { return home_.path(); }
    // Host path of a handheld path below files/.
    QString hostPath(const QString& handheldPath) const;
    // Whole content of a handheld file; nullopt-like empty string and false when missing.
    bool readHandheld(const QString& handheldPath, std::string* out) const;
    void writeHandheld(const QString& handheldPath, const std::string& bytes) const;

  private:
    QTemporaryDir home_;
};

// The lines of the tallimer.storage category written while it lives (it is not nested).
class StorageLog {
  public:
    StorageLog();
    ~StorageLog();
    StorageLog(const StorageLog&) = delete;
    StorageLog& operator=(const StorageLog&) = delete;

    QStringList lines;

  private:
    QtMessageHandler previous_;
};

}  // namespace tallimer::test
