#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QIcon>
#include <QSystemTrayIcon>
#include <cstdlib>

#include "platform/tray_host_watcher.h"
#include "ui/tray_port.h"

namespace tallimer {

namespace {

// Whether an X11 tray (XEmbed) is there: some client owns a screen's _NET_SYSTEM_TRAY_S<n>.
bool HasX11Tray() {
    // The offscreen platform answers as X11 too, without a connection.
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr || xcb_connection_has_error(connection) != 0) {
        return false;
    }
    bool owned = false;
    int screen = 0;
    for (auto it = xcb_setup_roots_iterator(xcb_get_setup(connection)); it.rem && !owned;
         xcb_screen_next(&it), ++screen) {
        const QByteArray name = "_NET_SYSTEM_TRAY_S" + QByteArray::number(screen);
        xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 1, name.size(), name.constData()), nullptr);
        if (atom != nullptr && atom->atom != XCB_ATOM_NONE) {
            xcb_get_selection_owner_reply_t* owner = xcb_get_selection_owner_reply(
                connection, xcb_get_selection_owner(connection, atom->atom), nullptr);
            owned = owner != nullptr && owner->owner != XCB_WINDOW_NONE;
            std::free(owner);
        }
        std::free(atom);
    }
    return owned;
}

QIcon TrayIcon(const char* name) {
    QIcon icon;
    for (int size : {16, 32, 64}) {
        icon.addFile(QStringLiteral(":/%1-%2.png").arg(QLatin1String(name)).arg(size),
                     QSize(size, size));
    }
    return icon;
}

class SystemTrayPort : public TrayPort {
  public:
    SystemTrayPort() : open_(TrayIcon("tray-open")), closed_(TrayIcon("tray-closed")) {
        icon_.setIcon(closed_);
        QObject::connect(&icon_, &QSystemTrayIcon::activated,
                         [this](QSystemTrayIcon::ActivationReason reason) {
                             if ((reason == QSystemTrayIcon::Trigger ||
                                  reason == QSystemTrayIcon::DoubleClick) &&
                                 onClicked) {
                                 onClicked();
                             }
                         });
        QObject::connect(&icon_, &QSystemTrayIcon::messageClicked, [this] {
            if (onMessageClicked) {
                onMessageClicked();
            }
        });
        icon_.show();
    }

    void setPeriodOpen(bool open) override { icon_.setIcon(open ? open_ : closed_); }
    void setToolTip(const QString& text) override { icon_.setToolTip(text); }
    void showMessage(const QString& title, const QString& text) override {
        icon_.showMessage(title, text, icon_.icon());
    }
    void setMenu(QMenu* menu) override { icon_.setContextMenu(menu); }

  private:
    QIcon open_;
    QIcon closed_;
    QSystemTrayIcon icon_;
};

}  // namespace

std::unique_ptr<TrayPort> CreateSystemTrayPort() {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        return nullptr;
    }
    return std::make_unique<SystemTrayPort>();
}

void AttachSystemTray(platform::TrayHostWatcher& hosts,
                      const std::function<void(std::unique_ptr<TrayPort>)>& attach) {
    // Qt settles between the tray over D-Bus and X11's the first time it is asked, for the whole
    // run: asked before a host is there, it never uses one that comes. So it is asked only once
    // a tray is there.
    const auto offer = [attach] {
        if (std::unique_ptr<TrayPort> port = CreateSystemTrayPort()) {
            attach(std::move(port));
        }
    };
    if (hosts.hostRegistered() || HasX11Tray()) {
        offer();
    } else {
        QObject::connect(&hosts, &platform::TrayHostWatcher::hostArrived, &hosts, offer,
                         Qt::SingleShotConnection);
    }
}

}  // namespace tallimer
