#pragma once

#include <QDate>
#include <QPoint>
#include <QSize>
#include <QString>

#include "model/day_state.h"
#include "model/month_state.h"
#include "model/scan_sink.h"
#include "operations/rescan_journal.h"
#include "operations/settings_store.h"

namespace tallimer {

// The Setup dialog's fields as texts, and the check box.
struct SetupForm {
    QString breakPerDay;  // minutes
    QString weeklyHours;
    QString balance;
    QString minuteUnit;
    QString directory;
    QString minimum;
    QString maximum;
    QString cutOff;  // time of day
    bool automaticMode = false;
};

// The texts the dialog opens with.
SetupForm SetupFormFor(const SettingsStore& store);

// Takes every field back as typed, without validation, and rebuilds the file paths. Nothing
// is saved here.
void ApplySetupForm(const SetupForm& form, SettingsStore& store);

// The rescan after Setup's OK. When Setup changed the journal's path and there is no journal
// there yet, the day is the new journal's: an empty one, so that the old journal's open period
// cannot make the next Save write a Stop as the new journal's first entry. A journal that
// cannot be opened for another reason (a lock) keeps the state, as every rescan does.
ScanRead ScanAfterSetup(const Journal& journal, const QString& journalBefore,
                        const Settings& settings, QDate selectedDate, DayState& day,
                        MonthState& month, std::span<ScanSink* const> sinks = {},
                        const LineVisitor& lines = {});

// Where the dialog goes within its owner's client area: centred across, a little above the
// middle down; never left of or above the corner.
QPoint SetupDialogPosition(QSize dialog, QSize ownerClient);

}  // namespace tallimer
