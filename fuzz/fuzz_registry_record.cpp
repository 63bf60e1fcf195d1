// "GLOBAL" values of any length laid over a settings record: the stored bytes replace the
// leading ones, the rest keep their values.

#include <QByteArray>
#include <cstddef>
#include <cstdint>

#include "fuzz_check.h"
#include "model/settings.h"

using namespace tallimer;

namespace {

// Every field distinct, negative ones and the 32-bit limits among them.
Settings KnownSettings() {
    Settings s;
    s.breakPerDay = 30;
    s.targetPerDay = 480;
    s.flexBalance = -75;
    s.minuteUnit = 5;
    s.reserved = 0x12345678;
    s.viewKind = ViewReport;
    s.flexMinimum = INT32_MIN;
    s.flexMaximum = INT32_MAX;
    s.cutOffTime = 1020;
    s.automaticMode = 1;
    return s;
}

void CheckOver(const Settings& old, const QByteArray& value) {
    const QByteArray before = SettingsToRecord(old);
    FUZZ_CHECK(before.size() == kSettingsRecordSize);
    Settings settings = old;
    SettingsFromRecord(settings, value);
    const QByteArray after = SettingsToRecord(settings);
    FUZZ_CHECK(after.size() == kSettingsRecordSize);
    const qsizetype n = value.size() < kSettingsRecordSize ? value.size() : kSettingsRecordSize;
    FUZZ_CHECK(after.first(n) == value.first(n));
    FUZZ_CHECK(after.sliced(n) == before.sliced(n));
    // Laying the record over itself changes nothing.
    Settings again = settings;
    SettingsFromRecord(again, after);
    FUZZ_CHECK(again == settings);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray value(reinterpret_cast<const char*>(data), qsizetype(size));
    CheckOver(KnownSettings(), value);
    CheckOver(Settings{}, value);
    // A value that does not own its bytes, as a registry read may hand over.
    CheckOver(KnownSettings(),
              QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    return 0;
}
