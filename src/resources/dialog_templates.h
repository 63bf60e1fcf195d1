#pragma once

#include <QString>
#include <vector>

namespace tallimer {

// Dialog templates as data: every rectangle in dialog units of the template's font.
enum class ControlKind {
    Static,  // text label
    GroupBox,
    DatePicker,  // short date format
    ListBox,     // list of strings
    ComboBox,    // editable field with a drop-down list
    Edit,        // one-line text field
    CheckBox,    // automatic check box
    PushButton,
    DefaultPushButton,
    ListView,  // report (columns) mode
    TreeView,
    Icon,  // the program's icon
};

// Style flags of a control.
namespace ControlStyle {
constexpr unsigned None = 0;
constexpr unsigned AlignRight = 1u << 0;
constexpr unsigned AlignCenter = 1u << 1;
constexpr unsigned Border = 1u << 2;
constexpr unsigned TabStop = 1u << 3;
constexpr unsigned NoPrefix = 1u << 4;  // "&" shown as it is
constexpr unsigned TextLeft = 1u << 5;  // check box text to the left of the box
constexpr unsigned AutoHScroll = 1u << 6;
constexpr unsigned VScroll = 1u << 7;
}  // namespace ControlStyle

// A control without an id of its own has id -1.
struct ControlTemplate {
    int id;
    ControlKind kind;
    int x, y, width, height;
    QString text;
    unsigned style = ControlStyle::None;
};

struct DialogTemplate {
    int id;
    QString title;       // empty: no caption (a child dialog)
    QString fontFamily;  // "Tahoma"
    int pointSize;
    int width, height;
    std::vector<ControlTemplate> controls;  // in template (tab) order
};

// Templates 103 (About), 128 (entry panel), 130, 131, 132 (views) and 144 (Setup).
// Returns nullptr for an unknown id.
const DialogTemplate* FindDialogTemplate(int id);

}  // namespace tallimer
