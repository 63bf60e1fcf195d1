// The two stored forms of the settings: the 40-byte registry record and the settings file line.

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <utility>

#include "model/settings.h"
#include "operations/settings_store.h"

namespace tallimer {
namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
const Settings kNumbered{1, 2, -3, 4, 0x12345678, 6, 7, 8, 9, 10};

TEST(SettingsRecord, LittleEndianFieldsInOrder) {
    const QByteArray record = SettingsToRecord(kNumbered);
    ASSERT_EQ(record.size(), kSettingsRecordSize);
    EXPECT_EQ(record.mid(0, 4), QByteArray("\x01\x00\x00\x00", 4));
    EXPECT_EQ(record.mid(8, 4), QByteArray("\xFD\xFF\xFF\xFF", 4));
    EXPECT_EQ(record.mid(16, 4), QByteArray("\x78\x56\x34\x12", 4));
    EXPECT_EQ(record.mid(36, 4), QByteArray("\x0A\x00\x00\x00", 4));

    Settings back;
    SettingsFromRecord(back, record);
    EXPECT_EQ(back, kNumbered);
}

TEST(SettingsRecord, ShortValueFillsLeadingBytesOnlyAndLongValueIsCut) {
    Settings s = kNumbered;
    // Six bytes: the first field whole, the low half of the second.
    SettingsFromRecord(s, QByteArray("\x1E\x00\x00\x00\x60\x01", 6));
    EXPECT_EQ(s.breakPerDay, 30);
    EXPECT_EQ(s.targetPerDay, 0x0160);
    EXPECT_EQ(s.flexBalance, -3);
    EXPECT_EQ(s.automaticMode, 10);

    s = kNumbered;
    SettingsFromRecord(s, QByteArray());
    EXPECT_EQ(s, kNumbered);

    Settings cut;
    SettingsFromRecord(cut, SettingsToRecord(kNumbered) + QByteArray(100, '\xFF'));
    EXPECT_EQ(cut, kNumbered);
}

TEST(SettingsFile, LineFormReadsBack) {
    const std::pair<int32_t, const char*> cases[] = {
        {510, "Flexitime = 8:30\r\n"},        {605, "Flexitime = 10:5\r\n"},
        {-75, "Flexitime = -1:-15\r\n"},      {-30, "Flexitime = 0:-30\r\n"},
        {0, "Flexitime = 0:0\r\n"},           {kMin, "Flexitime = -35791394:-8\r\n"},
        {kMax, "Flexitime = 35791394:7\r\n"},
    };
    for (const auto& [balance, line] : cases) {
        EXPECT_EQ(SettingsFileLine(balance), QByteArray(line)) << balance;
        EXPECT_EQ(ParseSettingsFile(line), balance) << line;
    }
}

TEST(SettingsFile, Reading) {
    const std::pair<std::string, std::optional<int32_t>> cases[] = {
        {"Flexitime =   -2:-5", -125},
        {"=7", 420},          // no ":": whole hours
        {"a:9 = 2:15", 135},  // the ":" is looked for from the "=" on
        {"Flexitime = 1\r\n:20", 80},
        {"Flexitime 8:30", std::nullopt},
        {"", std::nullopt},
        // Hostile bytes: NUL ends a number, huge numbers saturate.
        {std::string("Flexitime = \0005:10", 17), 10},
        {"Flexitime = 99999999999:99999999999", kMax},
        {"Flexitime = -99999999999:-5", kMin},
        {"Flexitime = 35791394:8", kMax},
    };
    for (const auto& [bytes, balance] : cases) {
        EXPECT_EQ(ParseSettingsFile(bytes), balance) << bytes;
    }
}

}  // namespace
}  // namespace tallimer
