#include "accounting/month_sheet.h"

#include "accounting/day_lines.h"
#include "base/saturating.h"
#include "journal/journal_line.h"
#include "journal/journal_lines.h"
#include "platform/line_text.h"

namespace tallimer {

namespace {
constexpr const char* kOperation = "timesheet";
}  // namespace

MonthSheetTally::MonthSheetTally(const Settings& settings, QDate date, const DaysBook* days,
                                 QDate today)
    : settings_(settings), today_(today) {
    sheet_.withDays = days != nullptr && !days->empty();
    sheet_.first = QDate(date.year(), date.month(), 1);
    monthKey_ = SelectedDateText(sheet_.first).left(7).toLatin1();
    const WeekPlan* plan = days != nullptr ? days->weekAt(sheet_.first) : nullptr;
    for (size_t i = 0; i < sheet_.week.size(); ++i) {
        sheet_.week[i] = plan != nullptr ? plan->targets[i] : (i < 5 ? settings.targetPerDay : 0);
    }
    const int count = sheet_.first.daysInMonth();
    sheet_.days.resize(size_t(count));
    terms_.resize(size_t(count));
    for (int i = 0; i < count; ++i) {
        terms_[size_t(i)] = OpenTalliedDay(sheet_.days[size_t(i)], sheet_.first.addDays(i),
                                           settings, sheet_.withDays ? days : nullptr);
    }
}

void MonthSheetTally::AddLine(std::string_view line, long long offset) {
    const std::string_view month(monthKey_.constData(), size_t(monthKey_.size()));
    const std::optional<QDate> date = StartsWith(line, month) ? LineDate(line) : std::nullopt;
    if (!date || date->month() != sheet_.first.month() || date->year() != sheet_.first.year()) {
        runs_.Close(offset);
        return;
    }
    const int32_t entryTime = EntryTime(line);
    TakeDayLine(sheet_.days[size_t(date->day() - 1)].state, settings_, entryTime);
    projects_.Add(line, entryTime);
    runs_.Add(uint32_t(date->day()), offset);
}

MonthSheet MonthSheetTally::Sheet() const {
    MonthSheet sheet = sheet_;
    for (size_t i = 0; i < sheet.days.size(); ++i) {
        TalliedDay& day = sheet.days[i];
        CloseTalliedDay(day, terms_[i], settings_, sheet.withDays, today_);
        sheet.presence = SatAdd(sheet.presence, day.state.presence);
        sheet.target = SatAdd(sheet.target, day.target);
        sheet.credit = SatAdd(sheet.credit, day.credit);
    }
    sheet.projects = projects_.Sorted();
    return sheet;
}

bool MonthSheetTally::ForEachDay(JournalAsRead& journal, const MonthSheet& sheet,
                                 const DayVisitor& visit) {
    runs_.Close(journal.linesEnd());
    runs_.Sort([](uint32_t a, uint32_t b) { return a < b; });
    // Only the day at hand keeps its periods: the runs come ordered by day.
    std::vector<SheetPeriod> periods;
    DayState pairing;
    uint32_t next = 1;  // the first day not handed on yet
    const auto handOnUntil = [&](uint32_t day) {
        for (; next < day && next <= sheet.days.size(); ++next) {
            visit(sheet.days[next - 1], periods);
            periods.clear();
            pairing = DayState{};
        }
    };
    const bool read =
        runs_.ForEachLine(journal, kOperation, [&](uint32_t key, std::string_view line) {
            handOnUntil(key);
            const int32_t entryTime = EntryTime(line);
            if (TakeDayLine(pairing, settings_, entryTime)) {
                periods.back().stop = entryTime;
            } else {
                periods.push_back(
                    {entryTime, std::nullopt, platform::LineText(ProjectBytes(line))});
            }
        });
    handOnUntil(uint32_t(sheet.days.size()) + 1);
    return read;
}

}  // namespace tallimer
