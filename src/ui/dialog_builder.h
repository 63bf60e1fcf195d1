#pragma once

#include <QFont>
#include <QIcon>
#include <QRect>
#include <QWidget>

#include "resources/dialog_templates.h"

namespace tallimer {

// Dialog units to pixels with the template font's metrics, as the handheld converts them:
// x by the average character width / 4, y by the character height / 8.
QRect DialogUnitsToPixels(const QFont& font, int x, int y, int width, int height);

// The template's font: its family where installed, otherwise a sans-serif fallback.
QFont TemplateFont(const DialogTemplate& dialogTemplate);

// Fills `dialog` with the template's controls (each a child widget carrying its id), sets
// the dialog's font and sizes it to the template. Controls: Static QLabel, GroupBox
// QGroupBox, DatePicker QDateEdit, ListBox QListWidget, ComboBox editable QComboBox, Edit
// QLineEdit, CheckBox QCheckBox, push buttons QPushButton, ListView QTreeView, TreeView
// QTreeWidget, Icon QLabel with the program's icon. A template with a caption is a dialog
// window with a close box only.
void BuildDialog(const DialogTemplate& dialogTemplate, QWidget* dialog);

// Icon 107, the program's icon, with its double-size drawing for a scale factor of 2.
QIcon ProgramIcon();

// The handheld's dialogs and boxes have a close box and no minimise or maximise button;
// without them the window manager leaves the caption its full width.
void SetCloseBoxOnly(QWidget* window);

// The control with `id` among the dialog's descendants, or nullptr.
QWidget* FindControl(const QWidget* dialog, int id);
template <typename T>
T* FindControlAs(const QWidget* dialog, int id) {
    return qobject_cast<T*>(FindControl(dialog, id));
}
// The id a control was built with, -1 for any other widget.
int ControlId(const QWidget* widget);

}  // namespace tallimer
