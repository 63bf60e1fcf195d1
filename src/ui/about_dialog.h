#pragma once

#include <QDialog>
#include <QPoint>
#include <QSize>
#include <functional>

namespace tallimer {

// The About dialog: name and version, the keys help on "Info", and the way out on "Ende".
class AboutDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr int IDC_INFO = 57666;
    static constexpr int IDC_ENDE = 57665;

    // `exitCommand` sends IDM_EXIT to the main window and tells whether the program ends.
    AboutDialog(std::function<bool()> exitCommand, QWidget* owner);

  private:
    void showKeysHelp();
    void exit();

    std::function<bool()> exitCommand_;
};

// Centred in a rectangle of the owner's client size whose corner is the owner's client
// corner (the handheld's screen corner); never at a negative coordinate.
QPoint AboutDialogPosition(QSize dialog, QSize ownerClient);

}  // namespace tallimer
