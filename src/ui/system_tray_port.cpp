#include <QIcon>
#include <QSystemTrayIcon>

#include "ui/tray_port.h"

namespace tallimer {

namespace {

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

}  // namespace tallimer
