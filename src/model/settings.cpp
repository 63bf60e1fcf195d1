#include "model/settings.h"

#include <algorithm>
#include <array>

namespace tallimer {

namespace {

// The fields in record order.
std::array<int32_t*, 10> Fields(Settings& s) {
    return {&s.breakPerDay, &s.targetPerDay, &s.flexBalance, &s.minuteUnit, &s.reserved,
            &s.viewKind,    &s.flexMinimum,  &s.flexMaximum, &s.cutOffTime, &s.automaticMode};
}

}  // namespace

QByteArray SettingsToRecord(const Settings& settings) {
    Settings copy = settings;
    QByteArray record;
    record.reserve(kSettingsRecordSize);
    for (const int32_t* field : Fields(copy)) {
        const auto bits = static_cast<uint32_t>(*field);
        for (int shift = 0; shift < 32; shift += 8) {
            record.append(static_cast<char>((bits >> shift) & 0xFF));
        }
    }
    return record;
}

void SettingsFromRecord(Settings& settings, const QByteArray& record) {
    // Lay the stored bytes over the current record so a short value keeps the later fields.
    QByteArray image = SettingsToRecord(settings);
    const qsizetype n = std::min<qsizetype>(record.size(), kSettingsRecordSize);
    std::copy_n(record.constData(), n, image.data());
    int offset = 0;
    for (int32_t* field : Fields(settings)) {
        uint32_t bits = 0;
        for (int i = 0; i < 4; ++i) {
            bits |= uint32_t{static_cast<unsigned char>(image[offset + i])} << (8 * i);
        }
        *field = static_cast<int32_t>(bits);
        offset += 4;
    }
}

}  // namespace tallimer
