#include "ui/zoom.h"

#include <QAbstractButton>
#include <QLayout>
#include <QVariant>
#include <QWidget>
#include <cmath>

namespace tallimer {

namespace {

constexpr char kGeometry[] = "tallimer.zoom.geometry";
constexpr char kMinimum[] = "tallimer.zoom.minimum";
constexpr char kMaximum[] = "tallimer.zoom.maximum";
constexpr char kFont[] = "tallimer.zoom.font";
constexpr char kIcon[] = "tallimer.zoom.icon";

// The widget's value at 100 %, kept the first time.
template <typename T>
T Original(QWidget* widget, const char* name, const T& now) {
    const QVariant kept = widget->property(name);
    if (kept.isValid()) {
        return kept.value<T>();
    }
    widget->setProperty(name, QVariant::fromValue(now));
    return now;
}

// A limit of QWidget's "none" (0 or QWIDGETSIZE_MAX) stays none.
int ZoomedLimit(int length, int percent) {
    return length == 0 || length == QWIDGETSIZE_MAX ? length : Zoomed(length, percent);
}

QSize ZoomedLimits(QSize size, int percent) {
    return {ZoomedLimit(size.width(), percent), ZoomedLimit(size.height(), percent)};
}

bool PlacedByLayout(const QWidget* widget) {
    const QWidget* parent = widget->parentWidget();
    return parent != nullptr && parent->layout() != nullptr &&
           parent->layout()->indexOf(widget) >= 0;
}

// Sizes and places `widget` (the zoomed widget or one of its controls): the widgets inside a
// control, such as a list's viewport, are its own to lay out.
void Shape(QWidget* widget, int percent) {
    const QSize minimum = Original(widget, kMinimum, widget->minimumSize());
    const QSize maximum = Original(widget, kMaximum, widget->maximumSize());
    widget->setMinimumSize(ZoomedLimits(minimum, percent));
    widget->setMaximumSize(ZoomedLimits(maximum, percent));
    if (!widget->isWindow() && !PlacedByLayout(widget)) {
        const QRect geometry = Original(widget, kGeometry, widget->geometry());
        widget->setGeometry(Zoomed(geometry.x(), percent), Zoomed(geometry.y(), percent),
                            Zoomed(geometry.width(), percent), Zoomed(geometry.height(), percent));
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        const QSize icon = Original(button, kIcon, button->iconSize());
        button->setIconSize(icon * percent / 100);
    }
}

// A font set on the widget itself grows; the others follow it. A widget with a style sheet of
// its own keeps the font it was polished with, so it is set too.
void ScaleFont(QWidget* widget, int percent) {
    if (widget->testAttribute(Qt::WA_SetFont) || !widget->styleSheet().isEmpty()) {
        QFont font = Original(widget, kFont, widget->font());
        if (font.pixelSize() > 0) {
            font.setPixelSize(Zoomed(font.pixelSize(), percent));
        } else {
            font.setPointSizeF(font.pointSizeF() * percent / 100.0);
        }
        widget->setFont(font);
    }
}

}  // namespace

int Zoomed(int length, int percent) {
    return int(std::lround(length * percent / 100.0));
}

void ZoomWidgets(QWidget* widget, int percent) {
    Shape(widget, percent);
    ScaleFont(widget, percent);
    for (QWidget* control : widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        Shape(control, percent);
    }
    for (QWidget* inner : widget->findChildren<QWidget*>()) {
        if (!inner->isWindow()) {
            ScaleFont(inner, percent);
        }
    }
}

}  // namespace tallimer
