#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <vector>

#include "model/day_state.h"
#include "model/desktop_preferences.h"
#include "model/settings.h"

namespace tallimer {

enum class ReminderKind { TargetReached, StillWorking, NotStarted };

struct Reminder {
    ReminderKind kind;
    QString title;
    QString text;
};

// What fired on which day, so each reminder fires at most once a day.
struct ReminderMemory {
    QDate day;
    bool targetReached = false;
    bool stillWorking = false;
    bool notStarted = false;
};

// The reminders due at `clock` that have not fired today, marked as fired. `day` counts only
// when it is today's: a day picked in the entry panel tells nothing about today.
std::vector<Reminder> DueReminders(ReminderMemory& memory, const QDateTime& clock,
                                   const DayState& day, const Settings& settings,
                                   const DesktopPreferences& preferences);

}  // namespace tallimer
