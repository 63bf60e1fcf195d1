#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "settings/settings_store.h"

namespace tallimer {
namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

TEST(SettingsFile, LineForm) {
    const std::pair<int32_t, const char*> cases[] = {
        {510, "Flexitime = 8:30\r\n"},   {605, "Flexitime = 10:5\r\n"},
        {-75, "Flexitime = -1:-15\r\n"}, {-30, "Flexitime = 0:-30\r\n"},
        {0, "Flexitime = 0:0\r\n"},      {kMin, "Flexitime = -35791394:-8\r\n"},
    };
    for (const auto& [balance, line] : cases) {
        EXPECT_EQ(SettingsFileLine(balance), QByteArray(line)) << balance;
    }
}

TEST(SettingsFile, Reading) {
    const std::pair<std::string, std::optional<int32_t>> cases[] = {
        {"Flexitime = 8:30\r\n", 510},
        {"Flexitime =   -2:-5", -125},
        {"Flexitime = 0:-30\r\n", -30},
        {"=7", 420},          // no ":": whole hours
        {"a:9 = 2:15", 135},  // the ":" is looked for from the "=" on
        {"Flexitime = 1\r\n:20", 80},
        {"Flexitime 8:30", std::nullopt},
        {"", std::nullopt},
        // Hostile bytes: NUL ends a number, huge numbers saturate.
        {std::string("Flexitime = \0"
                     "5:10",
                     17),
         10},
        {std::string("\0\0=\0\0", 5), 0},
        {"Flexitime = 99999999999:99999999999", kMax},
        {"Flexitime = -99999999999:-5", kMin},
        {"Flexitime = 35791394:8", kMax},
        {"= :", 0},
    };
    for (const auto& [bytes, balance] : cases) {
        EXPECT_EQ(ParseSettingsFile(bytes), balance) << bytes;
    }
}

TEST(SettingsFile, WrittenBalanceReadsBack) {
    for (int32_t balance : {kMin, kMin + 1, -3601, -60, -59, -1, 0, 1, 59, 60, 3601, kMax}) {
        const QByteArray line = SettingsFileLine(balance);
        EXPECT_EQ(ParseSettingsFile(std::string_view(line.constData(), size_t(line.size()))),
                  balance);
    }
}

}  // namespace
}  // namespace tallimer
