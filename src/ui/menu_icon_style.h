#pragma once

#include <QHash>
#include <QIcon>
#include <QProxyStyle>

namespace tallimer {

// The application's style, but a menu's item icons keep a contrast of 3:1 against the menu's
// background: the toolbar's artwork is dark, drawn for the handheld's light buttons, and would
// vanish in a dark theme's menu.
class MenuIconStyle : public QProxyStyle {
  public:
    MenuIconStyle();

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;

  private:
    QIcon readableIcon(const QIcon& icon, const QStyleOption& option, const QWidget* widget) const;

    mutable QHash<qint64, QColor> backgrounds_;  // by palette
    mutable QHash<QString, QIcon> icons_;        // by icon, background and size
};

}  // namespace tallimer
