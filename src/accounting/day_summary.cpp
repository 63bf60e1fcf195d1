#include "accounting/day_summary.h"

#include <cstdio>
#include <cstdlib>

#include "accounting/time_text.h"
#include "base/saturating.h"
#include "resources/string_table.h"

namespace tallimer {

namespace {

// "%c %02d:%02d" with a state marker in place of the sign.
QString MarkedTime(char marker, int32_t v) {
    char buffer[30];
    const int n = std::snprintf(buffer, sizeof buffer, "%c %02d:%02d", marker, std::abs(v / 60),
                                std::abs(v % 60));
    return QString::fromLatin1(buffer, n < 0 ? 0 : n);
}

int32_t ClockMinute(const QTime& time) {
    return time.hour() * 60 + time.minute();
}

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kDarkRed{192, 0, 0};
constexpr Rgb kGrey{128, 128, 128};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kLightGrey{192, 192, 192};

}  // namespace

DaySummaryTexts DaySummaryAt(const DayState& day, const Settings& settings, int32_t now) {
    const int32_t required = SatAdd(settings.targetPerDay, settings.breakPerDay);
    const bool open = day.periodOpen != 0;
    const int32_t running = open ? SatSub(now, day.lastStart) : 0;

    DaySummaryTexts texts;
    FormatSignedTime(texts.debit, required);
    if (day.entryCount == 0) {
        texts.credit = LoadString(StringId::No);
        texts.presence = texts.credit;
    } else {
        int32_t credit = SatAdd(day.credit, running);
        // While the day's first period runs, its credit has the break charged already.
        if (open && day.entryCount == 1) {
            credit = SatSub(SatSub(credit, settings.targetPerDay), settings.breakPerDay);
        }
        FormatSignedTime(texts.credit, credit);
        texts.presence = MarkedTime(open ? ' ' : '=', SatAdd(day.presence, running));
    }
    FormatSignedTime(texts.flexitime, settings.flexBalance);
    return texts;
}

int32_t SummaryNow(const QDateTime& clock, int32_t minuteUnit) {
    const QTime time = clock.time();
    TimeRecord record;
    if (time.isValid()) {
        record.hour = static_cast<uint16_t>(time.hour());
        record.minute = static_cast<uint16_t>(time.minute());
    }
    const TimeRecord snapped = SelectTimeInLists(record, minuteUnit).snapped;
    return snapped.hour * 60 + snapped.minute;
}

SummaryColour SummaryColourFor(int controlId, QStringView text, bool periodOpen, int32_t balance,
                               int32_t minimum, int32_t maximum) {
    const QChar first = text.isEmpty() ? QChar() : text.front();
    const bool negative = first == u'-';
    SummaryColour colour;
    switch (controlId) {
        case IDC_SUMMARY_CREDIT:
        case IDC_SUMMARY_PRESENCE:
            colour.handled = true;
            if (negative) {
                colour.text = periodOpen ? kDarkRed : kRed;
            } else {
                colour.text = periodOpen ? kGrey : kBlack;
            }
            colour.brush = SummaryBrush::LightGrey;
            break;
        case IDC_SUMMARY_FLEXITIME:
            colour.handled = true;
            colour.text = negative ? kRed : kBlack;
            if (minimum <= balance && balance <= maximum) {
                colour.brush = SummaryBrush::LightGrey;
            } else {
                if (first == u'+') {
                    colour.text = kLightGrey;
                }
                colour.brush = SummaryBrush::Black;
            }
            break;
        default:
            break;
    }
    return colour;
}

RefreshTick TickRefresh(RefreshMemory& memory, const QDateTime& clock, bool periodOpen) {
    RefreshTick tick;
    const int32_t minute = ClockMinute(clock.time());
    if (minute == memory.lastRefreshedMinute) {
        return tick;
    }
    tick.goesThrough = true;
    memory.lastRefreshedMinute = minute;
    const QDate date = clock.date();
    const int32_t dayKey = date.month() * 31 + date.day();
    if (dayKey != memory.lastDayKey) {
        tick.moveToTodayAndRescan = !periodOpen && memory.lastDayKey != -1;
        // Also with a period open: the date then stays, and no later tick moves it.
        memory.lastDayKey = dayKey;
    }
    return tick;
}

}  // namespace tallimer
