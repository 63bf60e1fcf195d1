#include "ui/notice_line.h"

#include <QMouseEvent>
#include <QToolTip>

namespace tallimer {

NoticeLine::NoticeLine(QWidget* window) : QLabel(window) {
    // The tooltip's colours: the theme pairs them, and they stand apart from the white window.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QToolTip::palette().color(QPalette::ToolTipBase));
    colours.setColor(QPalette::WindowText, QToolTip::palette().color(QPalette::ToolTipText));
    setPalette(colours);
    setAutoFillBackground(true);
    setFrameShape(QFrame::Box);
    setIndent(4);
    setFont(font());  // its own, which the window's zoom scales
    hide();
}

void NoticeLine::tell(const QString& text) {
    setText(text);
    const int height = sizeHint().height();
    const QWidget* window = parentWidget();
    setGeometry(0, window->height() - height, window->width(), height);
    raise();
    show();
}

void NoticeLine::mousePressEvent(QMouseEvent* event) {
    hide();
    event->accept();
}

}  // namespace tallimer
