// Drives the journal between two contents for the crash test: the base journal (A) and the
// base journal with one Start line of 2030/06/15 (B). Each cycle scans the day, saves the
// Start, scans again and removes the day, exactly as the window's commands do.
//
//   crash_writer        cycles until killed (or until an operation fails: exit 1)
//   crash_writer N      runs N cycles; exit 0 only when every operation succeeded

#include <QDate>
#include <cstdlib>

#include "model/day_state.h"
#include "model/month_state.h"
#include "operations/remove_day_entries.h"
#include "operations/rescan_journal.h"
#include "operations/save_entry.h"
#include "operations/settings_store.h"

using namespace tallimer;

int main(int argc, char** argv) {
    const QDate crashDay(2030, 6, 15);
    const long cycles = argc > 1 ? std::strtol(argv[1], nullptr, 10) : -1;
    SettingsStore store;
    LoadSettings(store);
    RemoveStaleTemporaries(store);
    for (long done = 0; cycles < 0 || done < cycles; ++done) {
        DayState day;
        MonthState month;
        const ScanResult scanned = RescanJournal(store, crashDay, day, month);
        // From B (left by a killed run) the save writes the Stop that closes the open period;
        // the removal takes both lines out again.
        const EntryPanelInput input{crashDay, QStringLiteral("08"), QStringLiteral("00"),
                                    QStringLiteral("Crash"), scanned.projects};
        if (!scanned.opened || !SaveEntry(input, store, day).success ||
            !RescanJournal(store, crashDay, day, month).opened ||
            !RemoveDayEntries(store, day).success) {
            return 1;
        }
    }
    return 0;
}
