#pragma once

#include <QString>
#include <functional>
#include <memory>

class QMenu;

namespace tallimer {

namespace platform {
class TrayHostWatcher;
}

// What the program needs of a system tray icon. The platform's tray is one implementation;
// tests put a fake in its place, since the offscreen platform has no tray.
class TrayPort {
  public:
    virtual ~TrayPort() = default;

    // The icon: "period open" or "no period open".
    virtual void setPeriodOpen(bool open) = 0;
    virtual void setToolTip(const QString& text) = 0;
    // A desktop notification from the icon.
    virtual void showMessage(const QString& title, const QString& text) = 0;
    // The icon's context menu; the caller keeps ownership.
    virtual void setMenu(QMenu* menu) = 0;

    // Run on a click (or double click) on the icon.
    std::function<void()> onClicked;
    // Run on a click on the last message shown.
    std::function<void()> onMessageClicked;
};

// The platform's tray icon, or null where the desktop has no tray.
std::unique_ptr<TrayPort> CreateSystemTrayPort();

// Hands the platform's tray icon to `attach` at once where the desktop has a tray, else when
// `hosts` tells of a StatusNotifierItem host that came later (a panel started after the
// program); never where neither comes.
void AttachSystemTray(platform::TrayHostWatcher& hosts,
                      const std::function<void(std::unique_ptr<TrayPort>)>& attach);

}  // namespace tallimer
