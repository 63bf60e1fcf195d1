#include "ui/single_instance.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <utility>

#include "platform/device_folder.h"
#include "platform/own_file.h"
#include "resources/string_table.h"

namespace tallimer {

namespace {

constexpr int kWaitMs = 500;
// How long a later start waits for a holder of the lock that is still starting to listen.
constexpr int kStartingHolderMs = 3000;
constexpr int kRetryMs = 50;
constexpr qint64 kMaxRequest = 64;
const QByteArray kRaiseRequest = QByteArrayLiteral("raise\n");

}  // namespace

SingleInstance::SingleInstance(QObject* parent) : QObject(parent) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::lockPath() {
    return platform::DeviceFolder() + u'/' + LoadString(StringId::AppTitle) +
           QStringLiteral(".lock");
}

QString SingleInstance::serverName() {
    // Qt gives the runtime folder only when it is the user's own with mode 0700.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty()) {
        return {};
    }
    QString folder = QFileInfo(platform::DeviceFolder()).canonicalFilePath();
    if (folder.isEmpty()) {
        folder = QDir::cleanPath(QDir(platform::DeviceFolder()).absolutePath());
    }
    const QByteArray hash =
        QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return runtime + u'/' + LoadString(StringId::AppTitle) + u'-' + QString::fromLatin1(hash);
}

bool SingleInstance::lock() {
    QDir().mkpath(platform::DeviceFolder());
    // QLockFile would follow a link, wait on a FIFO and take junk for a live holder. What
    // cannot be cleared is reported, and, as below, keeps no one from working.
    if (!platform::ClearForeignLock("take the lock", lockPath(), false)) {
        return true;
    }
    lock_ = std::make_unique<QLockFile>(lockPath());
    // A running instance holds the lock for hours: only a holder that is gone makes it stale.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0)) {
        return true;
    }
    if (lock_->error() == QLockFile::LockFailedError) {
        return false;
    }
    // A device folder that takes no lock file keeps no one from working; the program reports
    // its own errors with the folder as it meets them.
    qWarning("cannot take the lock %s", qPrintable(lockPath()));
    return true;
}

bool SingleInstance::askRunningInstanceToRaise() {
    const QString name = serverName();
    if (name.isEmpty()) {
        return false;
    }
    QLocalSocket socket;
    const QDeadlineTimer deadline(kStartingHolderMs);
    for (;;) {
        socket.connectToServer(name);
        if (socket.waitForConnected(kWaitMs)) {
            break;
        }
        if (deadline.hasExpired()) {
            return false;
        }
        socket.abort();
        QThread::msleep(kRetryMs);
    }
    // Someone holds the name, so another instance runs, whether or not the request arrives.
    socket.write(kRaiseRequest);
    socket.flush();
    socket.waitForBytesWritten(kWaitMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) {
        socket.waitForDisconnected(kWaitMs);
    }
    return true;
}

bool SingleInstance::listen(std::function<void()> raise) {
    raise_ = std::move(raise);
    const QString name = serverName();
    if (name.isEmpty()) {
        return false;
    }
    server_ = std::make_unique<QLocalServer>();
    connect(server_.get(), &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            auto read = [this, socket] {
                if (!socket->canReadLine()) {
                    // A request is one short line; anything longer is not ours.
                    if (socket->bytesAvailable() > kMaxRequest) {
                        socket->abort();
                    }
                    return;
                }
                const QByteArray line = socket->readLine(kMaxRequest + 1);
                QObject::disconnect(socket, nullptr, nullptr, nullptr);
                socket->deleteLater();
                if (line == kRaiseRequest && raise_) {
                    raise_();
                }
            };
            connect(socket, &QLocalSocket::readyRead, this, read);
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            read();
        }
    });

    // The lock is ours, so a socket already there was left by a crashed instance or put
    // there by someone else: either way it is replaced.
    QLocalServer::removeServer(name);
    return server_->listen(name);
}

}  // namespace tallimer
