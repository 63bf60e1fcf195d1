#include "accounting/day_summary.h"

#include <cstdio>
#include <cstdlib>
#include <optional>

#include "accounting/balance.h"
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

int32_t RunningPeriod(const DayState& day, int32_t now) {
    return day.periodOpen != 0 ? SatSub(now, day.lastStart) : 0;
}

// The credit the summary shows: nullopt without an entry.
std::optional<int32_t> ShownCredit(const DayState& day, const Settings& settings, int32_t now) {
    if (day.entryCount == 0) {
        return std::nullopt;
    }
    // While the day's first period runs, its credit has the break charged already.
    const int32_t before = day.periodOpen != 0 && day.entryCount == 1
                               ? SatSub(SatSub(0, DayTarget(day, settings)), settings.breakPerDay)
                               : day.credit;
    return SatAdd(before, RunningPeriod(day, now));
}

}  // namespace

DaySummaryTexts DaySummaryAt(const DayState& day, const Settings& settings, int32_t now) {
    const int32_t required = SatAdd(DayTarget(day, settings), settings.breakPerDay);
    DaySummaryTexts texts;
    FormatSignedTime(texts.debit, required);
    if (const std::optional<int32_t> credit = ShownCredit(day, settings, now)) {
        FormatSignedTime(texts.credit, *credit);
        const int32_t presence = SatAdd(day.presence, RunningPeriod(day, now));
        texts.presence = MarkedTime(day.periodOpen != 0 ? ' ' : '=', presence);
    } else {
        texts.credit = LoadString(StringId::No);
        texts.presence = texts.credit;
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

DaySummaryColours DaySummaryColoursAt(const DayState& day, const Settings& settings, int32_t now) {
    const bool open = day.periodOpen != 0;
    // The presence is never shown with a sign, and without an entry the credit reads "No".
    const bool debit = ShownCredit(day, settings, now).value_or(0) < 0;
    DaySummaryColours colours;
    colours.credit.text = debit ? (open ? kDarkRed : kRed) : (open ? kGrey : kBlack);
    colours.presence.text = open ? kGrey : kBlack;
    const int32_t balance = settings.flexBalance;
    colours.flexitime.text = balance < 0 ? kRed : kBlack;
    if (balance < settings.flexMinimum || balance > settings.flexMaximum) {
        colours.flexitime.brush = SummaryBrush::Black;
        if (balance >= 0) {
            colours.flexitime.text = kLightGrey;
        }
    }
    return colours;
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
        tick.newDay = memory.lastDayKey != -1;
        tick.moveToTodayAndRescan = !periodOpen && tick.newDay;
        // Also with a period open: the date then stays, and no later tick moves it.
        memory.lastDayKey = dayKey;
    }
    return tick;
}

}  // namespace tallimer
