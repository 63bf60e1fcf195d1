#include "platform/session_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusUnixFileDescriptor>

#include "platform/clock.h"

namespace tallimer::platform {

namespace {

const QString kLogin1 = QStringLiteral("org.freedesktop.login1");
const QString kLogin1Path = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");
const QString kSession = QStringLiteral("org.freedesktop.login1.Session");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
const QString kScreenSaver = QStringLiteral("org.freedesktop.ScreenSaver");
// Desktops export the screen saver at either path, some at both.
const char* const kScreenSaverPaths[] = {"/org/freedesktop/ScreenSaver", "/ScreenSaver"};

// A connection of its own to the bus at `address`, or the desktop's bus of `type`; its name.
QString Connect(const QString& address, QDBusConnection::BusType type, const void* owner) {
    if (address.isEmpty()) {
        return (type == QDBusConnection::SystemBus ? QDBusConnection::systemBus()
                                                   : QDBusConnection::sessionBus())
            .name();
    }
    const QString name = QStringLiteral("tallimer-%1-%2")
                             .arg(type == QDBusConnection::SystemBus ? "system" : "session")
                             .arg(quintptr(owner), 0, 16);
    return QDBusConnection::connectToBus(address, name).name();
}

}  // namespace

SessionSignals::SessionSignals(const QString& systemAddress, const QString& sessionAddress,
                               QObject* parent)
    : QObject(parent), systemAddress_(systemAddress), sessionAddress_(sessionAddress) {
    // Everything is asked without waiting, and told after the constructor has returned.
    QMetaObject::invokeMethod(this, &SessionSignals::start, Qt::QueuedConnection);
}

SessionSignals::~SessionSignals() {
    releaseSleepLock();
    if (!systemAddress_.isEmpty() && !systemBus_.isEmpty()) {
        QDBusConnection::disconnectFromBus(systemBus_);
    }
    if (!sessionAddress_.isEmpty() && !sessionBus_.isEmpty()) {
        QDBusConnection::disconnectFromBus(sessionBus_);
    }
}

void SessionSignals::start() {
    systemBus_ = Connect(systemAddress_, QDBusConnection::SystemBus, this);
    QDBusConnection system(systemBus_);
    if (!system.isConnected()) {
        watchScreenSaver();
        return;
    }
    system.connect(kLogin1, kLogin1Path, kManager, QStringLiteral("PrepareForSleep"), this,
                   SLOT(onPrepareForSleep(bool)));
    takeSleepLock();
    // The session this process runs in; a process started outside it (a user service) may
    // still name it in XDG_SESSION_ID.
    findSession(QStringLiteral("GetSessionByPID"), QVariant::fromValue(uint(getpid())), [this] {
        const QString id = qEnvironmentVariable("XDG_SESSION_ID");
        if (id.isEmpty()) {
            watchScreenSaver();
            return;
        }
        findSession(QStringLiteral("GetSession"), id, [this] { watchScreenSaver(); });
    });
}

void SessionSignals::findSession(const QString& method, const QVariant& argument,
                                 const std::function<void()>& otherwise) {
    QDBusMessage call = QDBusMessage::createMethodCall(kLogin1, kLogin1Path, kManager, method);
    call << argument;
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection(systemBus_).asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, otherwise](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                const QDBusPendingReply<QDBusObjectPath> reply = *finished;
                if (reply.isError()) {
                    otherwise();
                    return;
                }
                watchSession(reply.value().path());
            });
}

void SessionSignals::watchSession(const QString& path) {
    QDBusConnection system(systemBus_);
    system.connect(kLogin1, path, kSession, QStringLiteral("Lock"), this, SLOT(onSessionLock()));
    system.connect(kLogin1, path, kSession, QStringLiteral("Unlock"), this,
                   SLOT(onSessionUnlock()));
    // Desktops that lock by themselves tell logind through the LockedHint property.
    system.connect(kLogin1, path, kProperties, QStringLiteral("PropertiesChanged"), this,
                   SLOT(onSessionProperties(QString, QVariantMap, QStringList)));
    settle(LockSource::Logind);
}

void SessionSignals::watchScreenSaver() {
    // Only now: where no session bus runs, asking for it may autolaunch one.
    sessionBus_ = Connect(sessionAddress_, QDBusConnection::SessionBus, this);
    QDBusConnection session(sessionBus_);
    if (!session.isConnected()) {
        settle(LockSource::None);
        return;
    }
    for (const char* path : kScreenSaverPaths) {
        // From any sender: the name's owner differs from desktop to desktop.
        session.connect(QString(), QString::fromLatin1(path), kScreenSaver,
                        QStringLiteral("ActiveChanged"), this, SLOT(onScreenSaverActive(bool)));
    }
    settle(LockSource::ScreenSaver);
}

void SessionSignals::settle(LockSource source) {
    lockSource_ = source;
    emit settled();
}

void SessionSignals::takeSleepLock() {
    QDBusMessage call =
        QDBusMessage::createMethodCall(kLogin1, kLogin1Path, kManager, QStringLiteral("Inhibit"));
    call << QStringLiteral("sleep") << QStringLiteral("Tallimer")
         << QStringLiteral("Records when the absence began") << QStringLiteral("delay");
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection(systemBus_).asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *finished;
                if (reply.isError() || !reply.value().isValid() || sleepLock_ >= 0) {
                    return;  // suspends are then told late, but told
                }
                sleepLock_ = fcntl(reply.value().fileDescriptor(), F_DUPFD_CLOEXEC, 0);
            });
}

void SessionSignals::releaseSleepLock() {
    if (sleepLock_ >= 0) {
        close(sleepLock_);
        sleepLock_ = -1;
    }
}

void SessionSignals::onPrepareForSleep(bool start) {
    if (start) {
        emit sleeping(LocalNow());
        releaseSleepLock();  // the computer may sleep now
    } else {
        emit resumed(LocalNow());
        takeSleepLock();
    }
}

void SessionSignals::setLocked(bool locked) {
    // The Lock signal and the LockedHint property may both tell the same lock.
    if (locked == locked_) {
        return;
    }
    locked_ = locked;
    if (locked) {
        emit this->locked(LocalNow());
    } else {
        emit unlocked(LocalNow());
    }
}

void SessionSignals::onSessionLock() {
    setLocked(true);
}

void SessionSignals::onSessionUnlock() {
    setLocked(false);
}

void SessionSignals::onSessionProperties(const QString& interface, const QVariantMap& changed,
                                         const QStringList& /*invalidated*/) {
    const auto hint = changed.constFind(QStringLiteral("LockedHint"));
    if (interface == kSession && hint != changed.constEnd()) {
        setLocked(hint->toBool());
    }
}

void SessionSignals::onScreenSaverActive(bool active) {
    setLocked(active);
}

}  // namespace tallimer::platform
