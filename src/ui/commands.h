#pragma once

namespace tallimer {

// Command ids: everything the user can make the program do reaches the main window as one.
constexpr int IDM_VIEW_DAY = 32771;
constexpr int IDM_VIEW_LIST = 32772;
constexpr int IDM_VIEW_REPORT = 32773;
constexpr int IDM_SAVE = 32775;
constexpr int IDM_EXIT = 32776;
constexpr int IDM_REMOVE = 32781;
constexpr int IDM_SETTINGS = 142;
constexpr int IDM_ABOUT = 57664;
// Desktop only: undoes the last journal change; enabled while there is one to undo.
constexpr int IDM_UNDO = 32782;
// Desktop only: mark or clear days off in a dialog, and mark a calendar's public holidays.
constexpr int IDM_DAY_OFF = 32783;
constexpr int IDM_IMPORT_HOLIDAYS = 32784;
// Desktop only: the target of each weekday from a date on.
constexpr int IDM_WORKING_WEEK = 32785;
// Desktop only: put the selected day's entries right in a table; enabled while it has some.
constexpr int IDM_EDIT_DAY = 32786;
// Desktop only: the selected date's month as a timesheet, saved as a PDF or printed.
constexpr int IDM_TIMESHEET = 32787;
// Desktop only: the window's zoom (Ctrl+Plus, Ctrl+Minus, Ctrl+0).
constexpr int IDM_ZOOM_IN = 32788;
constexpr int IDM_ZOOM_OUT = 32789;
constexpr int IDM_ZOOM_RESET = 32790;
// Desktop only: the session's switches, checked while on.
constexpr int IDM_START_WITH_SESSION = 32795;
constexpr int IDM_STOP_WHILE_LOCKED = 32796;

// Entry panel controls.
constexpr int IDC_PROJECT = 1001;
constexpr int IDC_MINUTE = 1002;
constexpr int IDC_HOUR = 1003;
constexpr int IDC_DATE = 1008;
constexpr int IDC_STATUS = 1014;
constexpr int IDC_PROJECT_LABEL = 1015;
constexpr int IDC_COLON = 1016;

// View controls.
constexpr int IDC_ENTRY_LIST = 1003;
constexpr int IDC_REPORT_TREE = 1006;
constexpr int IDC_SUMMARY_CREDIT = 1004;
constexpr int IDC_SUMMARY_DEBIT = 1005;
constexpr int IDC_SUMMARY_FLEXITIME = 1007;
constexpr int IDC_SUMMARY_PRESENCE = 1018;

// Dialog templates.
constexpr int IDD_ABOUT = 103;
constexpr int IDD_ENTRY_PANEL = 128;
constexpr int IDD_VIEW_DAY = 130;  // + ViewKind
constexpr int IDD_SETUP = 144;

constexpr int TIMER_REFRESH_MS = 1000;

}  // namespace tallimer
