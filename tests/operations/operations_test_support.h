#pragma once

#include <QDate>
#include <QDir>
#include <optional>
#include <ostream>

#include "model/day_state.h"
#include "operations/change_intent.h"
#include "operations/outcome_messages.h"
#include "operations/tracker.h"
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

// Entries of a day long past, more bytes than a mark's window and one Save's append together,
// so that marks see the journal's end only.
inline std::string LongPast() {
    std::string lines;
    while (lines.size() < 2 * size_t(kMarkWindow)) {
        lines += "2003/12/01 08:00\tPast\r\n2003/12/01\t09:00\tPast\r\n";
    }
    return lines;
}

// The device fixture with a Tracker over `store`, driven as the window drives it.
class JournalTest : public DeviceTest {
  protected:
    // Made from `store` as the test set it up, at its first use; restart() makes the next use
    // take `store` again.
    Tracker& tracker() {
        if (!tracker_) {
            tracker_.emplace(store);
        }
        return *tracker_;
    }
    void restart() { tracker_.reset(); }
    DayState day() { return tracker().snapshot().day; }
    int32_t balance() { return tracker().settings().flexBalance; }

    Done<ScanOutcome> scan(QDate date) { return tracker().selectDate(date); }
    // Selects `date`, then saves hh:mm for `project` with the project box the scan filled.
    Done<SaveOutcome> save(QDate date, const QString& hour, const QString& minute,
                           const QString& project = {}) {
        const Snapshot shown = scan(date).snapshot;
        return tracker().saveEntry({date, hour, minute, project, shown.projects});
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

  private:
    std::optional<Tracker> tracker_;
};

}  // namespace tallimer::test
