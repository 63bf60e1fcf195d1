#include "support/device_fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/device_folder.h"

namespace tallimer::test {

namespace {
StorageLog* activeLog = nullptr;

void Capture(QtMsgType, const QMessageLogContext& context, const QString& text) {
    if (activeLog != nullptr && qstrcmp(context.category, "tallimer.storage") == 0) {
        activeLog->lines << text;
    }
}
}  // namespace

StorageLog::StorageLog() : previous_(qInstallMessageHandler(Capture)) {
    activeLog = this;
}

StorageLog::~StorageLog() {
    activeLog = nullptr;
    qInstallMessageHandler(previous_);
}

QString DeviceTest::hostPath(const QString& handheldPath) const {
    return platform::HostPath(handheldPath);
}

bool DeviceTest::readHandheld(const QString& handheldPath, std::string* out) const {
    QFile f(hostPath(handheldPath));
    if (!f.open(QIODevice::ReadOnly)) {
        return false;
    }
    *out = f.readAll().toStdString();
    return true;
}

void DeviceTest::writeHandheld(const QString& handheldPath, const std::string& bytes) const {
    const QString path = hostPath(handheldPath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes.data(), qint64(bytes.size())), qint64(bytes.size()));
}

}  // namespace tallimer::test
