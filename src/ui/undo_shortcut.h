#pragma once

#include <QObject>
#include <QWidget>

namespace tallimer {

// Desktop only: Ctrl+Z raises the window's Undo action wherever the focus is in the window, the
// date and project fields included, which would otherwise take it for undoing their own typing,
// also while there is nothing to undo. Enter and Esc stay the key filter's alone.
class UndoShortcut : public QObject {
    Q_OBJECT
  public:
    explicit UndoShortcut(QWidget* window);
    ~UndoShortcut() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* window_;
};

}  // namespace tallimer
