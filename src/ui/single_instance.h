#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QLocalServer;
class QLocalSocket;
class QLockFile;

namespace tallimer {

// One running instance per device folder. The instance that holds the device folder's lock
// file is the running one; it alone listens, in the user's private runtime folder, for later
// starts that ask it to come to the front.
class SingleInstance : public QObject {
    Q_OBJECT
  public:
    explicit SingleInstance(QObject* parent = nullptr);
    ~SingleInstance() override;

    // The lock file in the device folder.
    static QString lockPath();
    // The server's socket path: the user's runtime folder (mode 0700) and a name from the
    // application title and the device folder's canonical path, so a symlinked folder is the
    // same instance. Empty when there is no private runtime folder.
    static QString serverName();

    // Takes the device folder's lock, creating the folder, and takes over a lock left by a
    // crashed instance. False when another instance holds it.
    bool lock();
    // True when another instance answered: it has been asked to come to the front, with the
    // activation token of this start when there is one. A holder that is still starting gets a
    // moment to listen.
    bool askRunningInstanceToRaise(QByteArrayView activationToken = {});
    // Hands a days-off request (one line, RequestText's) to the running instance and gives its
    // reply line; nullopt when none answered within a few seconds.
    std::optional<QByteArray> askRunningInstanceToChangeDays(const QByteArray& request);
    // Listens for later starts; `raise` is called when one asks for this instance, with the
    // asker's activation token (empty for none), `changeDays` with a days-off request, its
    // result sent back as the reply. Run only while holding the lock: whatever else holds the
    // name then is not an instance of ours.
    using RaiseHandler = std::function<void(const QByteArray&)>;
    using DaysHandler = std::function<QByteArray(QByteArrayView)>;
    bool listen(RaiseHandler raise, DaysHandler changeDays = {});

  private:
    // Connects to the running instance, waiting a moment for one still starting.
    static bool connectToRunning(QLocalSocket& socket);
    void answer(QLocalSocket* socket);
    void answerDays(QLocalSocket* socket);

    std::unique_ptr<QLockFile> lock_;
    std::unique_ptr<QLocalServer> server_;
    RaiseHandler raise_;
    DaysHandler changeDays_;
};

}  // namespace tallimer
