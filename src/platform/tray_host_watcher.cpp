#include "platform/tray_host_watcher.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

namespace tallimer::platform {

namespace {

const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");

QDBusMessage HostQuestion() {
    QDBusMessage get = QDBusMessage::createMethodCall(
        kWatcher, kWatcherPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    get << kWatcher << QStringLiteral("IsStatusNotifierHostRegistered");
    return get;
}

bool Registered(const QDBusMessage& reply) {
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
           reply.arguments().constFirst().value<QDBusVariant>().variant().toBool();
}

}  // namespace

TrayHostWatcher::TrayHostWatcher(const QString& sessionAddress, QObject* parent)
    : QObject(parent), address_(sessionAddress) {
    bus_ = address_.isEmpty()
               ? QDBusConnection::sessionBus().name()
               : QDBusConnection::connectToBus(
                     address_, QStringLiteral("tallimer-tray-%1").arg(quintptr(this), 0, 16))
                     .name();
    QDBusConnection bus(bus_);
    if (!bus.isConnected()) {
        return;
    }
    // A host registering with a watcher already there, and a watcher that comes (again).
    bus.connect(kWatcher, kWatcherPath, kWatcher, QStringLiteral("StatusNotifierHostRegistered"),
                this, SLOT(onHostRegistered()));
    auto* watcher =
        new QDBusServiceWatcher(kWatcher, bus, QDBusServiceWatcher::WatchForRegistration, this);
    connect(watcher, &QDBusServiceWatcher::serviceRegistered, this, &TrayHostWatcher::askWatcher);
    if (bus.interface()->isServiceRegistered(kWatcher)) {
        registered_ = Registered(bus.call(HostQuestion(), QDBus::Block, 5000));
    }
}

TrayHostWatcher::~TrayHostWatcher() {
    if (!address_.isEmpty()) {
        QDBusConnection::disconnectFromBus(bus_);
    }
}

void TrayHostWatcher::askWatcher() {
    auto* call = new QDBusPendingCallWatcher(QDBusConnection(bus_).asyncCall(HostQuestion()), this);
    connect(call, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                if (Registered(finished->reply())) {
                    onHostRegistered();
                }
            });
}

void TrayHostWatcher::onHostRegistered() {
    if (registered_) {
        return;
    }
    registered_ = true;
    emit hostArrived();
}

}  // namespace tallimer::platform
