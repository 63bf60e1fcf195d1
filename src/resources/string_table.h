#pragma once

#include <QString>

namespace tallimer {

// String-table ids. The texts are in string_table.cpp.
namespace StringId {
constexpr int AppTitle = 1;
constexpr int DatabaseError = 61204;
constexpr int EntrySaved = 61205;
constexpr int EntryRemoved = 61218;
constexpr int KeysHelpCaption = 61214;
constexpr int KeysHelp = 61219;
constexpr int JournalHeader = 61223;
constexpr int EntryLineFormat = 61224;
constexpr int StatusStart = 61225;
constexpr int StatusStop = 61226;
constexpr int NotLaterRefusal = 61228;
constexpr int No = 61230;
constexpr int DayOpenError = 61231;
constexpr int DayNotClosedQuestion = 61233;
constexpr int NewMonthOffer = 61234;
// Desktop only: the undo's refusals.
constexpr int NothingToUndo = 62001;
constexpr int UndoJournalChanged = 62002;
constexpr int UndoJournalGone = 62003;
// Desktop only: Save's question before an entry the clock has not reached.
constexpr int FutureEntryQuestion = 62004;
// Desktop only: "Import holidays" refused (%1: the file and why).
constexpr int CalendarNotRead = 62005;
constexpr int CalendarWithoutHolidays = 62006;
// Desktop only: undo of a days change refused, the days file having changed since.
constexpr int UndoDaysChanged = 62010;
// Desktop only: "Working week" refused (%1: the weekday).
constexpr int WeekTargetRefused = 62011;
constexpr int WeekDateRefused = 62012;
// Desktop only: "Edit day…" refused; nothing changed.
constexpr int EditDayBadTime = 62031;
constexpr int EditDayNotInOrder = 62032;
constexpr int EditDayNotAlternating = 62033;
constexpr int EditDayJournalChanged = 62034;
// Desktop only: Setup's OK on a field that is empty or holds a lone sign.
constexpr int SetupFieldWithoutValue = 62040;
// Desktop only: the timesheet not saved (%1: the file and why) or not printed.
constexpr int TimesheetNotSaved = 62100;
constexpr int TimesheetNotPrinted = 62101;
// Desktop only: what an undo took back, shown until the next command (%1: a time or the days).
constexpr int UndoneStart = 62150;
constexpr int UndoneStop = 62151;
constexpr int UndoneRemove = 62152;
constexpr int UndoneEditDay = 62153;
constexpr int UndoneDayOff = 62154;
constexpr int UndoneHolidays = 62155;
constexpr int UndoneWorkingWeek = 62156;
constexpr int UndoneDaysFile = 62157;
constexpr int Undone = 62158;
// Desktop only: a session switch not changed (%1: the file and why).
constexpr int SessionSwitchNotChanged = 62200;
}  // namespace StringId

// The text of a string-table entry; empty for an unknown id.
QString LoadString(int id);

}  // namespace tallimer
