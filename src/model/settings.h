#pragma once

#include <QByteArray>
#include <cstdint>

namespace tallimer {

// The settings record: ten signed 32-bit fields, stored as 40 little-endian bytes.
struct Settings {
    int32_t breakPerDay = 0;
    int32_t targetPerDay = 0;
    int32_t flexBalance = 0;
    int32_t minuteUnit = 0;
    int32_t reserved = 0;
    int32_t viewKind = 0;
    int32_t flexMinimum = 0;
    int32_t flexMaximum = 0;
    int32_t cutOffTime = 0;
    int32_t automaticMode = 0;

    bool operator==(const Settings&) const = default;
};
constexpr int kSettingsRecordSize = 40;

// The shown view, stored as viewKind.
enum ViewKind : int32_t { ViewDaySummary = 0, ViewEntryList = 1, ViewReport = 2 };

QByteArray SettingsToRecord(const Settings& settings);
// Copies at most 40 bytes over the record's leading bytes; the rest keeps its value.
void SettingsFromRecord(Settings& settings, const QByteArray& record);

}  // namespace tallimer
