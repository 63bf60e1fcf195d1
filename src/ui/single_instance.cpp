#include "ui/single_instance.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <utility>

#include "platform/device_folder.h"
#include "resources/string_table.h"

namespace tallimer {

namespace {

constexpr int kWaitMs = 500;
constexpr qint64 kMaxRequest = 64;
const QByteArray kRaiseRequest = QByteArrayLiteral("raise\n");

// True when a live server answers on the name; a socket file left by a crashed instance
// refuses the connection.
bool AnyoneListening(const QString& name) {
    QLocalSocket probe;
    probe.connectToServer(name);
    const bool connected = probe.waitForConnected(kWaitMs);
    probe.abort();
    return connected;
}

}  // namespace

SingleInstance::SingleInstance(QObject* parent) : QObject(parent) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::ServerName() {
    const QString folder = QDir::cleanPath(QDir(platform::DeviceFolder()).absolutePath());
    const QByteArray hash =
        QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return LoadString(StringId::AppTitle) + u'-' + QString::fromLatin1(hash);
}

bool SingleInstance::AskRunningInstanceToRaise() {
    QLocalSocket socket;
    socket.connectToServer(ServerName());
    if (!socket.waitForConnected(kWaitMs)) {
        return false;
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

bool SingleInstance::Listen(std::function<void()> raise) {
    raise_ = std::move(raise);
    const QString name = ServerName();
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

    if (server_->listen(name)) {
        return true;
    }
    // A name in use with nobody answering is a socket file left by a crashed instance. A
    // live instance keeps its name.
    if (server_->serverError() != QAbstractSocket::AddressInUseError || AnyoneListening(name)) {
        return false;
    }
    QLocalServer::removeServer(name);
    return server_->listen(name);
}

}  // namespace tallimer
