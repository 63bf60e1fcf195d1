#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

#include "model/settings.h"

namespace tallimer {

// The entry panel's hour and minute lists, as data.

// "23", "22", ..., "00".
QStringList HourListItems();
// 60 - u, 60 - 2u, ... down to the last value not below 0, as two digits; empty for u > 60.
QStringList MinuteListItems(int32_t unit);
// The settings' own unit made usable: one of 0 or less becomes 1 there. The owner of the
// settings applies it once, after loading them and after Setup; the lists only read the unit.
int32_t EffectiveMinuteUnit(Settings& settings);

// The platform's local-time record: 16-bit unsigned hour and minute.
struct TimeRecord {
    uint16_t hour = 0;
    uint16_t minute = 0;
};

// What the lists select for a time when the focus is elsewhere.
struct TimeListSelection {
    TimeRecord snapped;                 // the time with its minute moved to the unit
    QString hourText;                   // the hour item to select (24 after the carry: "00")
    std::optional<QString> minuteText;  // nullopt: the minute list keeps its selection
};
TimeListSelection SelectTimeInLists(TimeRecord time, int32_t unit);

}  // namespace tallimer
