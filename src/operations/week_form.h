#pragma once

#include <QDate>
#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>
#include <optional>

#include "model/days_book.h"
#include "model/settings.h"

namespace tallimer {

// The fields of the window's "Working week" dialog: each weekday's target as typed, Monday
// first, and the date the plan holds from.
struct WeekForm {
    std::array<QString, 7> targets;
    QDate from;
    bool operator==(const WeekForm&) const = default;
};

// The weekdays' names, Monday first, as the fields are labelled.
const std::array<QString, 7>& WeekdayNames();

// The dialog opened on `date`: the plan in force on that date or, without one, Setup's target
// on Monday to Friday and none at the weekend, as the handheld's rule would have it.
WeekForm WeekFormFor(QDate date, const DaysBook& book, const Settings& settings);

// A target as typed: H:MM or whole hours H, from 0:00 to 24:00; nullopt for anything else.
std::optional<int32_t> WeekTargetOf(QStringView text);

// What OK asks for, or why not: the message box's text and the first field at fault
// (Monday first), so the dialog can put the cursor there.
struct WeekPlanOf {
    std::optional<WeekPlan> plan;
    QString refusal;
    int field = -1;
};
WeekPlanOf PlanOf(const WeekForm& form);

}  // namespace tallimer
