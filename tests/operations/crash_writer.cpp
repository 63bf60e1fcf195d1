// For the crash test: moves the journal from A (the base) to B (a Start of 2030/06/15 08:00), C
// (its Stop at 12:00) and back to A by removing the day, undoing the Stop and the removal once
// each, through the Tracker as the window drives it, from whatever a killed run left. With N:
// N cycles, exit 0 only when every operation succeeded; without: cycles until killed (exit 1
// on a failure). With "days" after N: marks 2030/06/14 a flexitime day off, undoes it, marks
// it again and clears it, each cycle. With "edit" after N: on a journal whose crash day runs
// from 08:00 to 12:00, moves that Stop to 13:00 through Edit day, undoes it, moves it again and
// back to 12:00, each cycle.

#include <QDate>
#include <cstdlib>
#include <cstring>

#include "operations/tracker.h"

using namespace tallimer;

int main(int argc, char** argv) {
    const QDate crashDay(2030, 6, 15);
    const long cycles = argc > 1 ? std::strtol(argv[1], nullptr, 10) : -1;
    Tracker tracker;
    tracker.start();
    const auto scan = [&] { return tracker.selectDate(crashDay).outcome == ScanOutcome::Read; };
    const auto save = [&](const char* hour) {
        const EntryPanelInput input{crashDay, QString::fromLatin1(hour), QStringLiteral("00"),
                                    QStringLiteral("Crash"), tracker.snapshot().projects};
        return tracker.saveEntry(input).outcome == SaveOutcome::Saved;
    };
    const auto undo = [&] { return tracker.undo().outcome == UndoOutcome::Undone && scan(); };
    const auto remove = [&] { return tracker.removeDay().outcome == RemoveOutcome::Removed; };
    if (argc > 2 && std::strcmp(argv[2], "days") == 0) {
        const QDate dayOff(2030, 6, 14);
        const auto change = [&](bool mark) {
            return tracker
                       .changeDays([&](DaysBook& book) {
                           if (mark) {
                               book.mark({dayOff, DayOffKind::Flexday, false});
                           } else {
                               book.clear(dayOff);
                           }
                       })
                       .outcome == DaysOutcome::Changed;
        };
        for (long done = 0; cycles < 0 || done < cycles; ++done) {
            bool ok = scan();
            if (ok && tracker.days().dayOff(dayOff) == nullptr) {
                ok = change(true) && undo() && change(true);
            }
            if (!ok || !change(false)) {
                return 1;
            }
        }
        return 0;
    }
    if (argc > 2 && std::strcmp(argv[2], "edit") == 0) {
        // The Stop's time, or -1 when the day is not a Start and a Stop.
        const auto stopTime = [&] {
            const DayEntriesRead read = tracker.dayEntries();
            return read.error == 0 && read.rows.size() == 2 ? read.rows[1].time : -1;
        };
        const auto edit = [&](int32_t stop) {
            const DayEntriesRead read = tracker.dayEntries();
            DayEntryRows rows = read.rows;
            if (read.error != 0 || rows.size() != 2) {
                return false;
            }
            rows[1].time = stop;
            return tracker.editDay(rows, read.mark).outcome == EditDayOutcome::Edited;
        };
        for (long done = 0; cycles < 0 || done < cycles; ++done) {
            bool ok = scan();
            if (ok && stopTime() == 12 * 60) {
                ok = edit(13 * 60) && undo() && edit(13 * 60);
            }
            if (!ok || !edit(12 * 60)) {
                return 1;
            }
        }
        return 0;
    }
    for (long done = 0; cycles < 0 || done < cycles; ++done) {
        bool ok = scan();
        if (ok && tracker.snapshot().day.entryCount == 0) {
            ok = save("08") && scan();
        }
        if (ok && tracker.snapshot().day.periodOpen != 0) {
            ok = save("12") && undo() && save("12") && scan();
        }
        if (!ok || !remove() || !undo() || !remove()) {
            return 1;
        }
    }
    return 0;
}
