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
#include "ui/activation_token.h"

namespace tallimer {

namespace {

constexpr int kWaitMs = 500;
// How long a later start waits for a holder of the lock that is still starting to listen.
constexpr int kStartingHolderMs = 3000;
constexpr int kRetryMs = 50;
// A days-off request: the prefix, the request's line, a newline; the reply is one line. A
// calendar's holidays for many years fit.
const QByteArray kDaysPrefix = QByteArrayLiteral("days ");
constexpr qint64 kMaxDaysRequest = 256 * 1024;
// How long a days-off request waits for the running instance's reply.
constexpr int kReplyMs = 5000;

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

bool SingleInstance::connectToRunning(QLocalSocket& socket) {
    const QString name = serverName();
    if (name.isEmpty()) {
        return false;
    }
    const QDeadlineTimer deadline(kStartingHolderMs);
    for (;;) {
        socket.connectToServer(name);
        if (socket.waitForConnected(kWaitMs)) {
            return true;
        }
        if (deadline.hasExpired()) {
            return false;
        }
        socket.abort();
        QThread::msleep(kRetryMs);
    }
}

bool SingleInstance::askRunningInstanceToRaise(QByteArrayView activationToken) {
    QLocalSocket socket;
    if (!connectToRunning(socket)) {
        return false;
    }
    // Someone holds the name, so another instance runs, whether or not the request arrives.
    socket.write(RaiseRequest(activationToken));
    socket.flush();
    socket.waitForBytesWritten(kWaitMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) {
        socket.waitForDisconnected(kWaitMs);
    }
    return true;
}

std::optional<QByteArray> SingleInstance::askRunningInstanceToChangeDays(
    const QByteArray& request) {
    QLocalSocket socket;
    if (!connectToRunning(socket)) {
        return std::nullopt;
    }
    socket.write(kDaysPrefix + request + '\n');
    const QDeadlineTimer deadline(kReplyMs);
    while (!socket.canReadLine()) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(int(deadline.remainingTime()))) {
            return std::nullopt;
        }
    }
    QByteArray reply = socket.readLine(kMaxDaysRequest);
    socket.disconnectFromServer();
    if (!reply.endsWith('\n')) {
        return std::nullopt;
    }
    reply.chop(1);
    return reply;
}

void SingleInstance::answer(QLocalSocket* socket) {
    if (socket->peek(kDaysPrefix.size()) == kDaysPrefix) {
        answerDays(socket);
        return;
    }
    // A request to come to the front ends as the asker hangs up: an older start sends its
    // first line alone.
    if (socket->bytesAvailable() > kMaxRaiseRequest) {
        QObject::disconnect(socket, nullptr, this, nullptr);
        socket->abort();
        return;
    }
    if (socket->state() == QLocalSocket::ConnectedState) {
        return;
    }
    QObject::disconnect(socket, nullptr, this, nullptr);
    const std::optional<QByteArray> token = ParseRaiseRequest(socket->readAll());
    socket->deleteLater();
    if (token && raise_) {
        raise_(*token);
    }
}

void SingleInstance::answerDays(QLocalSocket* socket) {
    if (!socket->canReadLine()) {
        // A request is one line; anything longer is not ours.
        if (socket->bytesAvailable() > kMaxDaysRequest) {
            QObject::disconnect(socket, nullptr, this, nullptr);
            socket->abort();
        }
        return;
    }
    const QByteArray line = socket->readLine(kMaxDaysRequest + 1);
    // The socket stays until the reply is out and the asker hangs up.
    QObject::disconnect(socket, nullptr, this, nullptr);
    if (line.endsWith('\n') && changeDays_) {
        const QByteArray request =
            line.sliced(kDaysPrefix.size(), line.size() - kDaysPrefix.size() - 1);
        socket->write(changeDays_(request) + '\n');
    }
    socket->disconnectFromServer();
}

bool SingleInstance::listen(RaiseHandler raise, DaysHandler changeDays) {
    raise_ = std::move(raise);
    changeDays_ = std::move(changeDays);
    const QString name = serverName();
    if (name.isEmpty()) {
        return false;
    }
    server_ = std::make_unique<QLocalServer>();
    connect(server_.get(), &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { answer(socket); });
            connect(socket, &QLocalSocket::disconnected, this, [this, socket] { answer(socket); });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            answer(socket);
        }
    });

    // The lock is ours, so a socket already there was left by a crashed instance or put
    // there by someone else: either way it is replaced.
    QLocalServer::removeServer(name);
    return server_->listen(name);
}

}  // namespace tallimer
