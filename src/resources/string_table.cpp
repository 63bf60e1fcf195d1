#include "resources/string_table.h"

namespace tallimer {

QString LoadString(int id) {
    switch (id) {
        case StringId::AppTitle:
            return QStringLiteral("Tallimer");
        case StringId::DatabaseError:
            return QStringLiteral("Error with database access");
        case StringId::EntrySaved:
            return QStringLiteral("Entry saved");
        case StringId::EntryRemoved:
            return QStringLiteral("Entry removed");
        case StringId::KeysHelpCaption:
            return QStringLiteral("Tallimer Keys");
        case StringId::KeysHelp:
            return QStringLiteral(
                "Action\t\tnext field\nRocker\t\tchanges\nAction (long)\tsaves\nEscape "
                "(long)\tdeletes\nEscape, \n then Action\tExit\n");
        case StringId::JournalHeader:
            return QStringLiteral("Date       Time \tComment\r\n");
        case StringId::EntryLineFormat:
            return QStringLiteral("%d/%02d/%02d %2s:%2s\t%s\r\n");
        case StringId::StatusStart:
            return QStringLiteral("Start:");
        case StringId::StatusStop:
            return QStringLiteral("Stop:");
        case StringId::NotLaterRefusal:
            return QStringLiteral(
                "Not saved!\nSelected time is not later than all others this day.");
        case StringId::No:
            return QStringLiteral("No");
        case StringId::DayOpenError:
            return QStringLiteral("ERROR - %d%s is open");
        case StringId::DayNotClosedQuestion:
            return QStringLiteral("This day is not closed.\nQuit anyway?");
        case StringId::NewMonthOffer:
            return QStringLiteral(
                "New Month reached!\r\nThe flexitime will be\r\nadjusted to the maximum value.");
        case StringId::NothingToUndo:
            return QStringLiteral("Nothing to undo.");
        case StringId::UndoJournalChanged:
            return QStringLiteral("Not undone!\nThe journal has been changed since.");
        case StringId::UndoJournalGone:
            return QStringLiteral("Not undone!\nThe journal is gone.");
        case StringId::UndoDaysChanged:
            return QStringLiteral("Not undone!\nThe days off have been changed since.");
        case StringId::WeekTargetRefused:
            return QStringLiteral(
                "Not saved!\nThe target for %1 is not a time from 0:00 to 24:00 (H:MM or H).");
        case StringId::WeekDateRefused:
            return QStringLiteral("Not saved!\nThe date the week holds from is missing.");
        case StringId::EditDayBadTime:
            return QStringLiteral("Not changed!\nA time must be a time of day from 0:00 to 23:59.");
        case StringId::EditDayNotInOrder:
            return QStringLiteral("Not changed!\nThe entries must follow each other in time.");
        case StringId::EditDayNotAlternating:
            return QStringLiteral(
                "Not changed!\nStart and Stop must take turns, beginning with a Start.");
        case StringId::EditDayJournalChanged:
            return QStringLiteral(
                "Not changed!\nThe journal has been changed since the day was opened.");
        case StringId::UndoneStart:
            return QStringLiteral("Undone: Start %1");
        case StringId::UndoneStop:
            return QStringLiteral("Undone: Stop %1");
        case StringId::UndoneRemove:
            return QStringLiteral("Undone: Remove %1");
        case StringId::UndoneEditDay:
            return QStringLiteral("Undone: Edit day %1");
        case StringId::UndoneDayOff:
            return QStringLiteral("Undone: Day off %1");
        case StringId::UndoneHolidays:
            return QStringLiteral("Undone: Import holidays");
        case StringId::UndoneWorkingWeek:
            return QStringLiteral("Undone: Working week");
        case StringId::UndoneDaysFile:
            return QStringLiteral("Undone: Change of the days file");
        case StringId::Undone:
            return QStringLiteral("Undone");
        case StringId::SetupFieldWithoutValue:
            return QStringLiteral("Not saved!\nThis field needs a number.");
        case StringId::FutureEntryQuestion:
            return QStringLiteral("The time of this entry is in the future. Save it anyway?");
        case StringId::TimesheetNotSaved:
            return QStringLiteral("Timesheet not saved!\n%1");
        case StringId::TimesheetNotPrinted:
            return QStringLiteral("Timesheet not printed!\nThe printer reported an error.");
        case StringId::SessionSwitchNotChanged:
            return QStringLiteral("Not changed!\n%1");
        case StringId::CalendarNotRead:
            return QStringLiteral("Holidays not imported!\n%1");
        case StringId::CalendarWithoutHolidays:
            return QStringLiteral("Holidays not imported!\nThe calendar holds no all-day events.");
        default:
            return {};
    }
}

}  // namespace tallimer
