#pragma once

#include <QDate>
#include <QDir>
#include <ostream>

#include "model/day_state.h"
#include "model/month_state.h"
#include "operations/change_intent.h"
#include "operations/rescan_journal.h"
#include "operations/save_entry.h"
#include "platform/registry.h"
#include "support/device_fixture.h"

namespace tallimer {

// Found by argument lookup, so failures show the day state by field.
inline void PrintTo(const DayState& d, std::ostream* os) {
    *os << "{count " << d.entryCount << ", lastStart " << d.lastStart << ", "
        << d.selectedDateText.toStdString() << ", open " << d.periodOpen << ", presence "
        << d.presence << ", credit " << d.credit << "}";
}

}  // namespace tallimer

namespace tallimer::test {

// The device fixture with the day and month the journal operations work on.
class JournalTest : public DeviceTest {
  protected:
    ScanResult scan(QDate date) { return RescanJournal(store, date, day, month); }

    // Scans `date`, then saves hh:mm for `project` the way the window does.
    SaveEntryResult save(QDate date, const QString& hour, const QString& minute,
                         const QString& project = {}) {
        const ScanResult scanned = scan(date);
        return SaveEntry({date, hour, minute, project, scanned.projects}, store, day);
    }

    // Whether a temporary of a write-and-rename is left beside the journal.
    bool temporaryLeft() const {
        return !QDir(hostPath(QStringLiteral("\\My Documents")))
                    .entryList({QStringLiteral("*.new-*")}, QDir::Files | QDir::Hidden)
                    .isEmpty();
    }

    // What the next start makes of the device folder: the balance, which settings file and
    // registry then both hold, and no intent.
    int32_t restartedBalance() {
        SettingsStore restarted;
        LoadSettings(restarted);
        std::string settingsFile;
        readHandheld(restarted.settingsFilePath, &settingsFile);
        const int32_t balance = restarted.settings.flexBalance;
        EXPECT_EQ(settingsFile, SettingsFileLine(balance).toStdString());
        Settings registry;
        SettingsFromRecord(registry, platform::RegistryQueryValue(kRegistryKey, u"GLOBAL")
                                         .value_or(QVariant())
                                         .toByteArray());
        EXPECT_EQ(registry, restarted.settings);
        EXPECT_FALSE(IntentExists());
        return balance;
    }

    DayState day;
    MonthState month;
};

}  // namespace tallimer::test
