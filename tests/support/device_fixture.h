#pragma once

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <string>

#include "operations/settings_store.h"
#include "platform/clock.h"
#include "platform/device_folder.h"
#include "platform/fault.h"

namespace tallimer::test {

// Makes `path` a file of `bytes`, its folder too.
inline void WriteHostFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}
// The whole file at `path`, empty when it cannot be read.
inline QByteArray ReadHostFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline const std::string kHeader = "Date       Time \tComment\r\n";
inline const QString kJournal = QStringLiteral("\\My Documents\\Tallimer.txt");

// Every test gets its own device folder (TALLIMER_HOME), the clock at 2004/01/23 13:00, no
// faults, and in `store` the default paths with break 30, target 480 and unit 5 (not saved).
class DeviceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(home_.isValid());
        qputenv("TALLIMER_HOME", home_.path().toLocal8Bit());
        platform::SetClock(QDateTime(QDate(2004, 1, 23), QTime(13, 0)));
        platform::ClearFaults();
        BuildFilePaths(store);
        store.settings.breakPerDay = 30;
        store.settings.targetPerDay = 480;
        store.settings.minuteUnit = 5;
    }
    void TearDown() override {
        platform::ClearFaults();
        platform::UseSystemClock();
        qunsetenv("TALLIMER_HOME");
    }

    QString home() const { return home_.path(); }
    QString hostPath(const QString& handheldPath) const { return platform::HostPath(handheldPath); }
    // Whole content of a handheld file; false when it is missing.
    bool readHandheld(const QString& handheldPath, std::string* out) const {
        QFile f(hostPath(handheldPath));
        if (!f.open(QIODevice::ReadOnly)) {
            return false;
        }
        *out = f.readAll().toStdString();
        return true;
    }
    void writeHandheld(const QString& handheldPath, const std::string& bytes) const {
        WriteHostFile(hostPath(handheldPath), QByteArray::fromStdString(bytes));
    }
    // The journal's bytes, empty when there is none.
    std::string journal() const {
        std::string bytes;
        readHandheld(kJournal, &bytes);
        return bytes;
    }
    // The settings as the next start would load them.
    static SettingsStore Loaded() {
        SettingsStore loaded;
        LoadSettings(loaded);
        return loaded;
    }

    SettingsStore store;

  private:
    QTemporaryDir home_;
};

// The lines of the tallimer.storage category written while it lives (it is not nested).
class StorageLog {
  public:
    StorageLog() : previous_(qInstallMessageHandler(Capture)) { active = this; }
    ~StorageLog() {
        active = nullptr;
        qInstallMessageHandler(previous_);
    }
    StorageLog(const StorageLog&) = delete;
    StorageLog& operator=(const StorageLog&) = delete;

    QStringList lines;

  private:
    static void Capture(QtMsgType, const QMessageLogContext& context, const QString& text) {
        if (active != nullptr && qstrcmp(context.category, "tallimer.storage") == 0) {
            active->lines << text;
        }
    }
    static inline StorageLog* active = nullptr;
    QtMessageHandler previous_;
};

}  // namespace tallimer::test
