// Hours texts from arbitrary input, read as UTF-16 and as Latin-1 and checked against a model;
// the leading integer of bytes and of wide text; every editable form read back.

#include <QString>
#include <QStringView>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>
#include <vector>

#include "accounting/time_text.h"
#include "base/leading_integer.h"
#include "fuzz_check.h"

using namespace tallimer;

namespace {

int64_t Clamp(int64_t v) {
    constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    return v < kMin ? kMin : v > kMax ? kMax : v;
}

bool IsBlank(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

struct Leading {
    int64_t value = 0;
    bool minus = false;
    bool digits = false;
};

Leading LeadingOf(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && IsBlank(text[i].unicode())) {
        ++i;
    }
    Leading result;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        result.minus = text[i] == u'-';
        ++i;
    }
    int64_t v = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        result.digits = true;
        v = v > (int64_t{1} << 40) ? v : v * 10 + (text[i].unicode() - u'0');
    }
    result.value = Clamp(result.minus ? -v : v);
    return result;
}

// Hours, then the minutes after the first ":", or else the first two characters after the
// first "." (or ","), as tenths or hundredths of an hour. The parts combine away from zero
// when the hours are negative, "-0" included; every step saturates.
int32_t ParseModel(QStringView text) {
    const Leading hours = LeadingOf(text);
    const int64_t base = Clamp(hours.value * 60);
    const bool negative = base < 0 || (hours.minus && hours.digits);
    const auto combine = [&](int64_t part) {
        return int32_t(Clamp(negative ? base - part : base + part));
    };
    if (const qsizetype colon = text.indexOf(u':'); colon >= 0) {
        return combine(LeadingOf(text.sliced(colon + 1)).value);
    }
    qsizetype point = text.indexOf(u'.');
    if (point < 0) {
        point = text.indexOf(u',');
    }
    if (point < 0) {
        return int32_t(base);
    }
    QStringView fraction = text.sliced(point + 1);
    if (fraction.size() > 2) {
        fraction = fraction.first(2);
    }
    const int64_t f = LeadingOf(fraction).value;
    return combine(Clamp(f * 60) / (fraction.size() == 2 ? 100 : 10));
}

void CheckText(const QString& text) {
    FUZZ_CHECK(ParseHoursText(text) == ParseModel(text));
    FUZZ_CHECK(LeadingInteger(QStringView(text)) == LeadingOf(text).value);
}

void CheckReadBack(int32_t v) {
    QString text;
    FUZZ_CHECK(ParseHoursText(FormatEditHours(text, v, EditHoursForm::SignedHoursMinutes)) == v);
    FUZZ_CHECK(
        ParseHoursText(FormatEditHours(text, v, EditHoursForm::SignedHoursOptionalMinutes)) == v);
    FUZZ_CHECK(LeadingInteger(QStringView(FormatEditHours(text, v, EditHoursForm::Plain))) == v);
    // The unsigned forms only ever show values that are not negative.
    if (v >= 0) {
        FUZZ_CHECK(ParseHoursText(FormatEditHours(text, v, EditHoursForm::HoursOptionalMinutes)) ==
                   v);
        FUZZ_CHECK(ParseHoursText(FormatEditHours(text, v, EditHoursForm::HoursMinutes)) == v);
    }
    // The clock forms of any value stay within their 20-character buffers.
    FormatSignedTime(text, v);
    FUZZ_CHECK(text.size() < 20);
    QString suffix;
    FUZZ_CHECK(AppendDecimalHours(suffix, v).size() < 20);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);

    // The code units as they stand: no byte-order mark is taken away.
    std::vector<char16_t> units(size / 2);
    for (size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
    }
    CheckText(QString(reinterpret_cast<const QChar*>(units.data()), qsizetype(units.size())));

    // Latin-1 maps each byte to the character of the same value, so both overloads of the
    // leading integer must agree.
    const QString latin1 = QString::fromLatin1(bytes, qsizetype(size));
    CheckText(latin1);
    FUZZ_CHECK(LeadingInteger(std::string_view(bytes, size)) ==
               LeadingInteger(QStringView(latin1)));

    uint32_t bits = 0;
    for (size_t i = 0; i < 4 && i < size; ++i) {
        bits |= uint32_t{data[i]} << (8 * i);
    }
    CheckReadBack(static_cast<int32_t>(bits));
    return 0;
}
