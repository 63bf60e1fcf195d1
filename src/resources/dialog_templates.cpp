#include "resources/dialog_templates.h"

#include "resources/app_info.h"

namespace tallimer {
namespace {

using namespace ControlStyle;
using K = ControlKind;

constexpr unsigned kField = Border | AutoHScroll | TabStop;  // every edit of the Setup dialog
constexpr unsigned kTimeList = Border | TabStop;             // hour and minute lists

// The templates hold only ASCII texts.
QString Text(const char* text) {
    return QString::fromLatin1(text);
}

const DialogTemplate& AboutTemplate() {
    static const DialogTemplate t{
        103,
        Text("About Tallimer"),
        Text("Tahoma"),
        8,
        119,
        79,
        {
            {1014, K::Icon, 10, 9, 20, 20, {}, None},
            {1015, K::Static, 40, 7, 44, 8, Text("Tallimer ") + Text(kAppShortVersion), NoPrefix},
            {1027, K::Static, 40, 17, 66, 17, Text("By the Tallimer developers."), None},
            {1016, K::Static, 40, 33, 61, 19, Text("Free to use."), None},
            {57666, K::PushButton, 7, 55, 33, 17, Text("Info"), TabStop},
            {57665, K::DefaultPushButton, 79, 55, 33, 17, Text("Ende"), TabStop},
        },
    };
    return t;
}

const DialogTemplate& EntryPanelTemplate() {
    static const DialogTemplate t{
        128,
        {},
        Text("Tahoma"),
        14,
        102,
        23,
        {
            {1016, K::Static, 73, 1, 8, 8, Text(":"), NoPrefix},
            {1008, K::DatePicker, 1, 1, 38, 10, {}, TabStop},
            {1014, K::Static, 40, 2, 22, 8, {}, AlignRight},
            {1003, K::ListBox, 63, 1, 11, 10, {}, kTimeList},
            {1001, K::ComboBox, 25, 11, 62, 90, {}, AutoHScroll | VScroll | TabStop},
            {1015, K::Static, 1, 12, 23, 10, Text("Project"), AlignRight},
            {1002, K::ListBox, 76, 1, 11, 10, {}, kTimeList},
        },
    };
    return t;
}

const DialogTemplate& DaySummaryTemplate() {
    static const DialogTemplate t{
        130,
        {},
        Text("Tahoma"),
        12,
        107,
        84,
        {
            {-1, K::GroupBox, 8, 1, 90, 51, Text("This day"), None},
            {1005, K::Static, 23, 11, 30, 10, {}, AlignRight | Border},
            {-1, K::Static, 56, 12, 28, 9, Text("Debit"), None},
            {1004, K::Static, 23, 22, 30, 10, {}, AlignRight | Border},
            {-1, K::Static, 56, 23, 28, 9, Text("Credit"), None},
            {1018, K::Static, 23, 37, 30, 10, {}, AlignRight | Border},
            {-1, K::Static, 56, 38, 31, 9, Text("Presence"), None},
            {-1, K::GroupBox, 8, 55, 90, 24, Text("Flexitime in total"), None},
            {1007, K::Static, 30, 64, 46, 11, Text("---"), AlignCenter | Border},
        },
    };
    return t;
}

const DialogTemplate& EntryListTemplate() {
    static const DialogTemplate t{
        131,
        {},
        Text("Tahoma"),
        8,
        161,
        123,
        {{1003, K::ListView, 4, 4, 150, 114, {}, Border | TabStop}},
    };
    return t;
}

const DialogTemplate& ReportTemplate() {
    static const DialogTemplate t{
        132,
        {},
        Text("Tahoma"),
        10,
        137,
        100,
        {{1006, K::TreeView, 4, 4, 127, 91, {}, Border | TabStop}},
    };
    return t;
}

// Each label follows the field it names; only the fields take part in the tab order.
const DialogTemplate& SetupTemplate() {
    static const DialogTemplate t{
        144,
        Text("Setup"),
        Text("Tahoma"),
        8,
        113,
        117,
        {
            {1023, K::Edit, 59, 4, 32, 12, {}, kField},
            {1014, K::Static, 8, 5, 47, 9, Text("Break/Day [m]"), None},
            {1024, K::Edit, 59, 18, 32, 12, {}, kField},
            {1015, K::Static, 8, 19, 51, 9, Text("Hours/Week [h]"), None},
            {1025, K::Edit, 59, 32, 32, 12, {}, kField},
            {1016, K::Static, 8, 33, 40, 9, Text("Flexitime [h]"), None},
            {1, K::PushButton, 87, 102, 18, 11, Text("OK"), TabStop},
            {1026, K::Edit, 27, 73, 19, 12, {}, kField | AlignCenter},
            {1028, K::Static, 8, 75, 16, 9, Text("Unit"), None},
            {1029, K::Static, 49, 75, 26, 9, Text("Minutes"), None},
            {1027, K::Edit, 50, 87, 55, 12, {}, kField},
            {-1, K::Static, 8, 89, 41, 10, Text("File Path"), None},
            {1030, K::Edit, 27, 46, 29, 12, {}, kField},
            {-1, K::Static, 12, 48, 13, 10, Text("min"), None},
            {1031, K::Edit, 76, 46, 29, 12, {}, kField},
            {-1, K::Static, 60, 47, 14, 10, Text("max"), None},
            {1032, K::Edit, 59, 60, 29, 12, {}, kField},
            {-1, K::Static, 7, 62, 52, 10, Text("Time when cut"), None},
            {1011, K::CheckBox, 7, 100, 64, 13, Text("Automatic Mode"), TextLeft | TabStop},
        },
    };
    return t;
}

}  // namespace

const DialogTemplate* FindDialogTemplate(int id) {
    switch (id) {
        case 103:
            return &AboutTemplate();
        case 128:
            return &EntryPanelTemplate();
        case 130:
            return &DaySummaryTemplate();
        case 131:
            return &EntryListTemplate();
        case 132:
            return &ReportTemplate();
        case 144:
            return &SetupTemplate();
        default:
            return nullptr;
    }
}

}  // namespace tallimer
