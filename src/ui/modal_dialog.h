#pragma once

#include <QString>

class QDialog;
class QWidget;

namespace tallimer {

// Runs `dialog` as every dialog and box of the program runs: modal to the window it belongs
// to, not to the whole program. The tray icon is a window of its own, and a dialog modal to
// the program would keep its menu from opening at all; the menu's items are greyed instead.
// A dialog opened over another belongs to the one in front, which it thus blocks too.
int ExecModal(QDialog& dialog);

// The file dialog, run so; empty when cancelled. `suggested` empty: a file to open.
QString ChooseFileToOpen(QWidget* owner, const QString& caption, const QString& filter);
QString ChooseFileToSave(QWidget* owner, const QString& caption, const QString& filter,
                         const QString& suggested);

}  // namespace tallimer
