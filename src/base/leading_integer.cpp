#include "base/leading_integer.h"

#include <limits>

#include "base/saturating.h"

namespace tallimer {

namespace {

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

}  // namespace

LeadingNumber ReadLeadingNumber(QStringView text) {
    return ReadLeadingNumber(text.size(),
                             [text](qsizetype i) { return char32_t(text[i].unicode()); });
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
