#pragma once

#include <QMap>
#include <QWidget>

class QToolButton;

namespace tallimer {

class WindowActions;

// The button bar below the entry panel: the three views, Save Entry, Remove, Setup and About,
// each a button of the window's action for it, which it follows (enabled, checked).
class Toolbar : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kWidth = 240;
    static constexpr int kHeight = 34;
    static constexpr int kButtonSize = 26;

    Toolbar(const WindowActions& actions, QWidget* parent);

    QToolButton* button(int command) const { return buttons_.value(command); }
    // The bar, its buttons and their pictures at the window's zoom.
    void setZoom(int percent);

  private:
    // The margins, the gaps between the buttons and the separators at `percent`.
    void space(int percent);

    QMap<int, QToolButton*> buttons_;
};

}  // namespace tallimer
