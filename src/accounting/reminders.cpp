#include "accounting/reminders.h"

#include "accounting/balance.h"
#include "base/saturating.h"
#include "journal/journal_line.h"

namespace tallimer {

namespace {

constexpr int32_t kLateEvening = 22 * 60;

QString ClockText(int32_t minutes) {
    return QStringLiteral("%1:%2")
        .arg(minutes / 60, 2, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

// When the open period brings the day's credit to zero, as the day summary counts it; -1 when
// the credit was not below zero when the period began, or the cut-off stops it short.
int32_t TargetTime(const DayState& day, const Settings& settings) {
    const int32_t creditAtStart =
        day.entryCount == 1 ? SatSub(SatSub(0, DayTarget(day, settings)), settings.breakPerDay)
                            : day.credit;
    if (creditAtStart >= 0) {
        return -1;
    }
    const int32_t reached = SatSub(day.lastStart, creditAtStart);
    if (CappedAtCutOff(reached, settings) != reached) {
        return -1;
    }
    return reached;
}

}  // namespace

std::vector<Reminder> DueReminders(ReminderMemory& memory, const QDateTime& clock,
                                   const DayState& day, const Settings& settings,
                                   const DesktopPreferences& preferences) {
    std::vector<Reminder> due;
    const QDate today = clock.date();
    if (!today.isValid() || day.selectedDateText != SelectedDateText(today)) {
        return due;
    }
    if (memory.day != today) {
        memory = ReminderMemory{today};
    }
    const int32_t now = clock.time().hour() * 60 + clock.time().minute();
    const bool open = day.periodOpen != 0;

    if (open && preferences.targetReachedReminder && !memory.targetReached) {
        const int32_t reached = TargetTime(day, settings);
        if (reached >= 0 && now >= reached) {
            memory.targetReached = true;
            due.push_back(
                {ReminderKind::TargetReached, QStringLiteral("Target reached"),
                 QStringLiteral("The day's target was reached at %1.").arg(ClockText(reached))});
        }
    }
    const int32_t late = settings.cutOffTime != 0 ? settings.cutOffTime : kLateEvening;
    if (open && preferences.stillWorkingReminder && !memory.stillWorking && day.lastStart <= late &&
        now >= late) {
        memory.stillWorking = true;
        due.push_back(
            {ReminderKind::StillWorking, QStringLiteral("Still working?"),
             QStringLiteral("A period has been open since %1.").arg(ClockText(day.lastStart))});
    }
    if (preferences.notStartedReminder && !memory.notStarted && day.entryCount == 0 &&
        today.dayOfWeek() <= 5 && now >= preferences.notStartedBy) {
        memory.notStarted = true;
        due.push_back({ReminderKind::NotStarted, QStringLiteral("Not started"),
                       QStringLiteral("No entry yet today.")});
    }
    return due;
}

}  // namespace tallimer
