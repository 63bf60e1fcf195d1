#pragma once

#include <QLabel>

namespace tallimer {

// A line over the bottom edge of the window that tells what a command did where the handheld's
// layout has no room for it (the status text names the next entry only). It stays until the
// next command or a click on it.
class NoticeLine : public QLabel {
    Q_OBJECT
  public:
    explicit NoticeLine(QWidget* window);

    void tell(const QString& text);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace tallimer
