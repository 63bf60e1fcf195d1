// Drives the journal between two contents for the crash test: the base journal (A) and the
// base journal with one Start line of 2030/06/15 (B). Each cycle scans the day, saves the
// Start, scans again and removes the day, exactly as the window's commands do.
//
//   crash_writer        cycles until killed (or until an operation fails: exit 1)
//   crash_writer N      runs N cycles; exit 0 only when every operation succeeded

#include <QDate>
#include <cstdlib>

#include "accounting/month_state.h"
#include "journal/day_state.h"
#include "journal/remove_day_entries.h"
#include "journal/rescan_journal.h"
#include "journal/save_entry.h"
#include "settings/settings_store.h"

namespace {

using namespace tallimer;

const QDate kCrashDay(2030, 6, 15);

bool RunCycle(SettingsStore& store) {
    DayState day;
    MonthState month;
    ScanResult scanned = RescanJournal(store, kCrashDay, day, month);
    if (!scanned.opened) {
        return false;
    }
    // From B (left by a killed run) this writes the Stop that closes the open period; the
    // removal below takes both lines out again.
    const EntryPanelInput input{kCrashDay, QStringLiteral("08"), QStringLiteral("00"),
                                QStringLiteral("Crash"), scanned.projects};
    if (!SaveEntry(input, store, day).success) {
        return false;
    }
    scanned = RescanJournal(store, kCrashDay, day, month);
    if (!scanned.opened) {
        return false;
    }
    return RemoveDayEntries(store, day).success;
}

}  // namespace

int main(int argc, char** argv) {
    long cycles = -1;
    if (argc > 1) {
        char* end = nullptr;
        cycles = std::strtol(argv[1], &end, 10);
        if (end == argv[1] || *end != '\0' || cycles < 0) {
            return 2;
        }
    }
    SettingsStore store;
    LoadSettings(store);
    for (long done = 0; cycles < 0 || done < cycles; ++done) {
        if (!RunCycle(store)) {
            return 1;
        }
    }
    return 0;
}
