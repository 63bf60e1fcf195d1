#pragma once

#include <QObject>
#include <QWidget>
#include <functional>

namespace tallimer {

// Desktop only: Ctrl+Z and an "Undo" item in the window's context menu. Ctrl+Z undoes the last
// journal change wherever the focus is in the window, the date and project fields included,
// which would otherwise take it for undoing their own typing. Enter and Esc stay the key
// filter's alone.
class UndoShortcut : public QObject {
    Q_OBJECT
  public:
    UndoShortcut(QWidget* window, std::function<void()> undo);
    ~UndoShortcut() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* window_;
};

}  // namespace tallimer
