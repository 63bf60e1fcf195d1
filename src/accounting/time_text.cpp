#include "accounting/time_text.h"

#include <cstdio>
#include <cstdlib>
#include <limits>

#include "base/leading_integer.h"
#include "base/saturating.h"
#include "journal/journal_lines.h"

namespace tallimer {

namespace {

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

QString SignedTimeText(int32_t v) {
    QString text;
    return FormatSignedTime(text, v);
}

QString SignedTimeAndHoursText(int32_t v) {
    QString text;
    FormatSignedTime(text, v);
    return AppendDecimalHours(text, v);
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

QString TimeOfDayText(int32_t t) {
    return QString::asprintf("%02d:%02d", t / 60, t % 60);
}

std::optional<QDate> DateOfText(const QString& text) {
    // Exactly the journal's date form: QDate alone would take a sign before the year, and
    // "-2026/01/01" names no date the program can select.
    if (size_t(text.size()) != JournalColumn::DateEnd) {
        return std::nullopt;
    }
    const QByteArray bytes = text.toLatin1();
    return LineDate(std::string_view(bytes.constData(), size_t(bytes.size())));
}

}  // namespace tallimer
