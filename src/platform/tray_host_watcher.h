#pragma once

#include <QObject>
#include <QString>

namespace tallimer::platform {

// Whether the session bus has a StatusNotifierItem host: a panel that shows tray icons over
// D-Bus (KDE Plasma, GNOME's AppIndicator extension, the Wayland bars), told at once, and when
// one comes later: a panel started after the program registers its watcher, or a host with a
// watcher already there. A missing bus or watcher tells of no host and gives no error.
class TrayHostWatcher : public QObject {
    Q_OBJECT
  public:
    // The bus at `sessionAddress`; empty: the desktop's session bus. The first answer is
    // waited for, as the program settles on its tray before it shows anything.
    explicit TrayHostWatcher(const QString& sessionAddress = {}, QObject* parent = nullptr);
    ~TrayHostWatcher() override;
    TrayHostWatcher(const TrayHostWatcher&) = delete;
    TrayHostWatcher& operator=(const TrayHostWatcher&) = delete;

    bool hostRegistered() const { return registered_; }

  signals:
    // A host is there now where there was none; told once.
    void hostArrived();

  private slots:
    void onHostRegistered();

  private:
    // Asks the watcher, now there, whether a host has registered with it.
    void askWatcher();

    QString address_;  // empty: the desktop's bus
    QString bus_;      // the connection's name
    bool registered_ = false;
};

}  // namespace tallimer::platform
