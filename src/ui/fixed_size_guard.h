#pragma once

#include <QObject>

class QWindow;

namespace tallimer {

// Keeps a window whose size is fixed at that size under Wayland. Where the compositor draws no
// title bars, Qt draws its own, with a maximise button on every window; a compositor that then
// demands the screen's size of a window that cannot grow ends the program on the spot, taking
// unsaved input with it. So a fixed window asked to maximise (or go full screen) may take the
// size the compositor gives, for as long as it takes to ask back for its own. Installed on the
// application, where it follows every window shown.
class FixedSizeGuard : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private slots:
    void stateChanged(Qt::WindowState state);
    void sizeChanged();
};

}  // namespace tallimer
