// The settings file's balance from arbitrary bytes (the loader reads at most 80), checked
// against a model, and the written line read back.

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

#include "fuzz_check.h"
#include "operations/settings_store.h"

using namespace tallimer;

namespace {

constexpr size_t kReadLimit = 80;

int64_t Clamp(int64_t v) {
    constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    return v < kMin ? kMin : v > kMax ? kMax : v;
}

bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Blanks, an optional sign, digits; saturated at the 32-bit range.
int64_t Leading(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    bool minus = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        minus = text[i] == '-';
        ++i;
    }
    int64_t v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        v = v > (int64_t{1} << 40) ? v : v * 10 + (text[i] - '0');
    }
    return Clamp(minus ? -v : v);
}

// hours x 60 + minutes, each step saturated; the ":" is looked for from the "=" on, and without
// one the text holds whole hours.
std::optional<int32_t> Model(std::string_view bytes) {
    const size_t equals = bytes.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    const int64_t hours = Leading(bytes.substr(equals + 1));
    const size_t colon = bytes.find(':', equals);
    const int64_t minutes = colon == std::string_view::npos ? 0 : Leading(bytes.substr(colon + 1));
    return int32_t(Clamp(Clamp(hours * 60) + minutes));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data),
                                 size < kReadLimit ? size : kReadLimit);
    FUZZ_CHECK(ParseSettingsFile(bytes) == Model(bytes));

    // Any balance survives a save and a load of the settings file.
    uint32_t bits = 0;
    for (size_t i = 0; i < 4 && i < size; ++i) {
        bits |= uint32_t{data[i]} << (8 * i);
    }
    const int32_t balance = static_cast<int32_t>(bits);
    const QByteArray line = SettingsFileLine(balance);
    FUZZ_CHECK(line.endsWith("\r\n") && size_t(line.size()) <= kReadLimit);
    FUZZ_CHECK(ParseSettingsFile(std::string_view(line.constData(), size_t(line.size()))) ==
               balance);
    return 0;
}
