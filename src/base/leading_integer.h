#pragma once

#include <QStringView>
#include <cstdint>
#include <string_view>

namespace tallimer {

// The leading integer of a text, with what a caller may need beyond its value: whether a
// minus sign stood before the digits ("-0" is a negative hours part).
struct LeadingNumber {
    int32_t value = 0;
    bool minus = false;
    bool hasDigits = false;
};

// Blanks skipped, optional sign, digits; saturates at the 32-bit range.
LeadingNumber ReadLeadingNumber(QStringView text);

// The integer at the start of a text: blanks skipped, optional sign, digits; 0 when no
// digit follows. Saturates at the 32-bit range.
int32_t LeadingInteger(QStringView text);
int32_t LeadingInteger(std::string_view bytes);

}  // namespace tallimer
