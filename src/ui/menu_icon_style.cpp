#include "ui/menu_icon_style.h"

#include <QApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>
#include <QWidget>

#include "ui/icon_contrast.h"

namespace tallimer {

namespace {

// The colour the style paints a menu's panel in: themes differ (some take the window colour,
// some a lightened base colour), so it is read off the style's own drawing.
QColor MenuBackground(const QStyle& style, const QStyleOption& option, const QWidget* widget) {
    QImage panel(24, 24, QImage::Format_ARGB32_Premultiplied);
    panel.fill(option.palette.color(QPalette::Window));
    QPainter painter(&panel);
    QStyleOption panelOption;
    panelOption.palette = option.palette;
    panelOption.rect = panel.rect();
    style.drawPrimitive(QStyle::PE_PanelMenu, &panelOption, &painter, widget);
    painter.end();
    return panel.pixelColor(panel.rect().center());
}

}  // namespace

MenuIconStyle::MenuIconStyle()
    : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

void MenuIconStyle::drawControl(ControlElement element, const QStyleOption* option,
                                QPainter* painter, const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element != CE_MenuItem || item == nullptr || item->icon.isNull()) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    QStyleOptionMenuItem readable(*item);
    readable.icon = readableIcon(item->icon, *option, widget);
    QProxyStyle::drawControl(element, &readable, painter, widget);
}

QIcon MenuIconStyle::readableIcon(const QIcon& icon, const QStyleOption& option,
                                  const QWidget* widget) const {
    // Read off the style's drawing once a palette, not at every item's paint.
    auto background = backgrounds_.constFind(option.palette.cacheKey());
    if (background == backgrounds_.cend()) {
        background = backgrounds_.insert(option.palette.cacheKey(),
                                         MenuBackground(*baseStyle(), option, widget));
    }
    const int size = pixelMetric(PM_SmallIconSize, &option, widget);
    const qreal ratio = widget != nullptr ? widget->devicePixelRatioF() : qApp->devicePixelRatio();
    const QString key = QStringLiteral("%1 %2 %3 %4")
                            .arg(icon.cacheKey())
                            .arg(background->rgba())
                            .arg(size)
                            .arg(ratio);
    if (const auto found = icons_.constFind(key); found != icons_.cend()) {
        return *found;
    }
    const QPixmap drawn = icon.pixmap(QSize(size, size), ratio);
    QPixmap readable = QPixmap::fromImage(ImageWithContrast(drawn.toImage(), *background));
    readable.setDevicePixelRatio(drawn.devicePixelRatio());
    return *icons_.insert(key, QIcon(readable));
}

}  // namespace tallimer
