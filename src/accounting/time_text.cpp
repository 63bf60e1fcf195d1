#include "accounting/time_text.h"

#include <cstdio>
#include <cstdlib>
#include <limits>

#include "accounting/minutes.h"

namespace tallimer {

namespace {

// The leading integer of a text, with what the caller needs beyond its value: whether a
// minus sign stood before the digits ("-0" is a negative hours part).
struct LeadingNumber {
    int32_t value = 0;
    bool minus = false;
    bool hasDigits = false;
};

bool IsBlank(char32_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

// `at(i)` yields the i-th character as a code unit; works for wide text and for bytes alike.
template <typename At>
LeadingNumber ReadLeadingNumber(qsizetype size, At at) {
    qsizetype i = 0;
    while (i < size && IsBlank(at(i))) {
        ++i;
    }
    LeadingNumber result;
    if (i < size && (at(i) == u'+' || at(i) == u'-')) {
        result.minus = at(i) == u'-';
        ++i;
    }
    // Past this bound the magnitude only saturates, so it stops growing there.
    constexpr int64_t kCap = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t magnitude = 0;
    while (i < size && at(i) >= u'0' && at(i) <= u'9') {
        result.hasDigits = true;
        if (magnitude <= kCap) {
            magnitude = magnitude * 10 + (at(i) - u'0');
        }
        ++i;
    }
    result.value = Saturate(result.minus ? -magnitude : magnitude);
    return result;
}

LeadingNumber ReadLeadingNumber(QStringView text) {
    return ReadLeadingNumber(text.size(),
                             [text](qsizetype i) { return char32_t(text[i].unicode()); });
}

// Printf of small integers into a QString; every form here is a few ASCII characters.
QString Printf(const char* format, auto... args) {
    char buffer[64];
    const int n = std::snprintf(buffer, sizeof buffer, format, args...);
    return QString::fromLatin1(buffer, n < 0 ? 0 : n);
}

char SignChar(int32_t v) {
    return v < 0 ? '-' : '+';
}

// Signed "%d:%02d" with the minutes' absolute value. A value between -59 and -1 has an hours
// part of 0, which cannot carry the sign; it is written "-0:MM" so that reading it back gives
// the same value.
QString SignedHoursAndMinutes(int32_t v) {
    const int q = v / 60;
    const int r = std::abs(v % 60);
    if (v < 0 && q == 0) {
        return Printf("-0:%02d", r);
    }
    return Printf("%d:%02d", q, r);
}

}  // namespace

QString& FormatSignedTime(QString& dest, int32_t v) {
    // v / 60 and v % 60 are far from the 32-bit limits, so their absolute values are safe.
    dest = Printf("%c %02d:%02d", SignChar(v), std::abs(v / 60), std::abs(v % 60));
    return dest;
}

QString& AppendDecimalHours(QString& dest, int32_t v) {
    const int r = v % 60;
    dest += Printf("  ( %c %d.%02d )", SignChar(v), std::abs(v / 60), std::abs((r * 1000) / 600));
    return dest;
}

QString& FormatEditHours(QString& dest, int32_t v, EditHoursForm form) {
    const int q = v / 60;
    const int r = v % 60;
    switch (form) {
        case EditHoursForm::Plain:
            dest = Printf("%d", v);
            break;
        case EditHoursForm::HoursOptionalMinutes:
            dest = r != 0 ? Printf("%d:%02d", q, r) : Printf("%d", q);
            break;
        case EditHoursForm::SignedHoursOptionalMinutes:
            dest = r != 0 ? SignedHoursAndMinutes(v) : Printf("%d", q);
            break;
        case EditHoursForm::SignedHoursMinutes:
            dest = SignedHoursAndMinutes(v);
            break;
        case EditHoursForm::HoursMinutes:
            dest = Printf("%d:%02d", q, r);
            break;
    }
    return dest;
}

int32_t ParseHoursText(QStringView text) {
    const LeadingNumber hours = ReadLeadingNumber(text);
    const int32_t base = SatMul(hours.value, 60);
    // "-0:30" and "-0.5" are negative although their hours part is 0.
    const bool negative = base < 0 || (hours.minus && hours.hasDigits);
    const auto combine = [&](int32_t part) {
        return negative ? SatSub(base, part) : SatAdd(base, part);
    };

    if (const qsizetype colon = text.indexOf(u':'); colon >= 0) {
        return combine(LeadingInteger(text.mid(colon + 1)));
    }
    qsizetype point = text.indexOf(u'.');
    if (point < 0) {
        point = text.indexOf(u',');
    }
    if (point < 0) {
        return base;
    }
    const QStringView fraction = text.mid(point + 1).left(2);
    const int32_t f = LeadingInteger(fraction);
    const int32_t divisor = fraction.size() == 2 ? 100 : 10;
    return combine(SatMul(f, 60) / divisor);
}

int32_t LeadingInteger(QStringView text) {
    return ReadLeadingNumber(text).value;
}

int32_t LeadingInteger(std::string_view bytes) {
    return ReadLeadingNumber(qsizetype(bytes.size()),
                             [bytes](qsizetype i) {
                                 return char32_t(static_cast<unsigned char>(bytes[size_t(i)]));
                             })
        .value;
}

}  // namespace tallimer
