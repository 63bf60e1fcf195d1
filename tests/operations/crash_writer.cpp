// For the crash test: moves the journal from A (the base) to B (a Start of 2030/06/15 08:00), C
// (its Stop at 12:00) and back to A by removing the day, undoing the Stop and the removal once
// each, as the window's commands do, from whatever a killed run left. With N: N cycles, exit 0
// only when every operation succeeded; without: cycles until killed (exit 1 on a failure).

#include <QDate>
#include <cstdlib>

#include "model/day_state.h"
#include "model/month_state.h"
#include "operations/remove_day_entries.h"
#include "operations/rescan_journal.h"
#include "operations/save_entry.h"
#include "operations/settings_store.h"
#include "operations/undo.h"

using namespace tallimer;

int main(int argc, char** argv) {
    const QDate crashDay(2030, 6, 15);
    const long cycles = argc > 1 ? std::strtol(argv[1], nullptr, 10) : -1;
    SettingsStore store;
    LoadSettings(store);
    RemoveStaleTemporaries(store);
    DayState day;
    MonthState month;
    const auto scan = [&] { return RescanJournal(store, crashDay, day, month); };
    const auto save = [&](const char* hour, const QStringList& projects) {
        const EntryPanelInput input{crashDay, QString::fromLatin1(hour), QStringLiteral("00"),
                                    QStringLiteral("Crash"), projects};
        return SaveEntry(input, store, day).success;
    };
    for (long done = 0; cycles < 0 || done < cycles; ++done) {
        ScanResult scanned = scan();
        if (scanned.opened && day.entryCount == 0) {
            scanned.opened = save("08", scanned.projects) && (scanned = scan()).opened;
        }
        const auto undo = [&] { return UndoLastChange(store, day).success && scan().opened; };
        if (scanned.opened && day.periodOpen != 0) {
            scanned.opened = save("12", scanned.projects) && undo() &&
                             save("12", scanned.projects) && scan().opened;
        }
        if (!scanned.opened || !RemoveDayEntries(store, day).success || !undo() ||
            !RemoveDayEntries(store, day).success) {
            return 1;
        }
    }
    return 0;
}
