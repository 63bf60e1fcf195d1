#pragma once

#include <QMap>
#include <QWidget>

class QButtonGroup;
class QToolButton;

namespace tallimer {

// The button bar below the entry panel: three view buttons in one check group, Save Entry,
// Remove, Setup and About, each raising its command.
class Toolbar : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kWidth = 240;
    static constexpr int kHeight = 34;
    static constexpr int kButtonSize = 26;

    explicit Toolbar(QWidget* parent);

    QToolButton* button(int command) const { return buttons_.value(command); }
    void setChecked(int command);
    void setButtonEnabled(int command, bool enabled);
    bool isButtonEnabled(int command) const;

  signals:
    void commandRaised(int command);

  private:
    QMap<int, QToolButton*> buttons_;
    QButtonGroup* viewGroup_ = nullptr;
};

}  // namespace tallimer
