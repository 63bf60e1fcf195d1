#pragma once

#include <QPoint>
#include <QSize>
#include <QString>

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

// Where the dialog goes within its owner's client area: centred across, a little above the
// middle down; never left of or above the corner.
QPoint SetupDialogPosition(QSize dialog, QSize ownerClient);

}  // namespace tallimer
