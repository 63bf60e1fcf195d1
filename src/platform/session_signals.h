#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <functional>

namespace tallimer::platform {

// The desktop session's screen lock and the computer's suspend, as plain signals carrying the
// local clock's time of each. From logind on the system bus: PrepareForSleep of its manager, and
// Lock, Unlock and LockedHint of this program's session. Where logind knows no session of
// ours (or there is no logind), the session bus's org.freedesktop.ScreenSaver ActiveChanged.
// A bus that is missing gives no signals and no error. While logind is there the program
// holds a delay lock on sleep, released as it is told of the suspend, so the suspend's time
// is taken before the computer sleeps and not after it wakes.
class SessionSignals : public QObject {
    Q_OBJECT
  public:
    // Where the lock is learnt from, once settled.
    enum class LockSource { Unsettled, Logind, ScreenSaver, None };

    // The buses at these addresses; empty: the desktop's own system and session bus.
    explicit SessionSignals(const QString& systemAddress = {}, const QString& sessionAddress = {},
                            QObject* parent = nullptr);
    ~SessionSignals() override;
    SessionSignals(const SessionSignals&) = delete;
    SessionSignals& operator=(const SessionSignals&) = delete;

    LockSource lockSource() const { return lockSource_; }
    bool holdsSleepLock() const { return sleepLock_ >= 0; }

  signals:
    void locked(const QDateTime& at);
    void unlocked(const QDateTime& at);
    void sleeping(const QDateTime& at);
    void resumed(const QDateTime& at);
    // The lock's source is known (lockSource()).
    void settled();

  private slots:
    void onPrepareForSleep(bool start);
    void onSessionLock();
    void onSessionUnlock();
    void onSessionProperties(const QString& interface, const QVariantMap& changed,
                             const QStringList& invalidated);
    void onScreenSaverActive(bool active);

  private:
    void start();
    // Asks logind for the session with `method` and `argument`; `otherwise` runs when it
    // gives none.
    void findSession(const QString& method, const QVariant& argument,
                     const std::function<void()>& otherwise);
    void watchSession(const QString& path);
    void watchScreenSaver();
    void settle(LockSource source);
    void takeSleepLock();
    void releaseSleepLock();
    void setLocked(bool locked);

    QString systemAddress_;  // empty: the desktop's bus
    QString sessionAddress_;
    QString systemBus_;  // the connections' names, once connected
    QString sessionBus_;
    LockSource lockSource_ = LockSource::Unsettled;
    int sleepLock_ = -1;  // the delay lock's descriptor
    bool locked_ = false;
};

}  // namespace tallimer::platform
