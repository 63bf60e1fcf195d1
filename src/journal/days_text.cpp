#include "journal/days_text.h"

#include <QString>
#include <algorithm>
#include <array>
#include <charconv>
#include <vector>

#include "journal/journal_lines.h"

namespace tallimer {

namespace {

constexpr std::array<std::string_view, 4> kKindNames = {"vacation", "sick", "holiday", "flexday"};
constexpr std::string_view kWeek = "week";

constexpr std::string_view kExplanation =
    "# Days off and working weeks, one line a date:\n"
    "#   DATE<TAB>vacation|sick|holiday|flexday<TAB>whole|half\n"
    "#   DATE<TAB>week<TAB>the targets Monday to Sunday from DATE on, as H:MM\n";

// The line's fields, apart by runs of tabs and blanks.
std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t at = 0;
    while (at < line.size()) {
        at = line.find_first_not_of(" \t", at);
        if (at == std::string_view::npos) {
            break;
        }
        const size_t end = std::min(line.find_first_of(" \t", at), line.size());
        fields.push_back(line.substr(at, end - at));
        at = end;
    }
    return fields;
}

// H:MM, at most 24:00.
std::optional<int32_t> Target(std::string_view text) {
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos || text.size() - colon != 3) {
        return std::nullopt;
    }
    int hours = -1;
    int minutes = -1;
    const char* end = text.data() + colon;
    if (std::from_chars(text.data(), end, hours).ptr != end ||
        std::from_chars(end + 1, text.data() + text.size(), minutes).ptr !=
            text.data() + text.size() ||
        hours < 0 || minutes < 0 || minutes > 59 || hours * 60 + minutes > 24 * 60) {
        return std::nullopt;
    }
    return hours * 60 + minutes;
}

// Reads one line into `book`; false when it is not a day off or a week.
bool ReadLine(std::string_view line, DaysBook& book) {
    const std::vector<std::string_view> fields = Fields(line);
    const std::optional<QDate> date =
        fields.empty() || fields[0].size() != 10 ? std::nullopt : LineDate(fields[0]);
    if (!date || fields.size() < 2) {
        return false;
    }
    if (fields[1] == kWeek) {
        WeekPlan plan{*date, {}};
        if (fields.size() != 2 + plan.targets.size()) {
            return false;
        }
        for (size_t day = 0; day < plan.targets.size(); ++day) {
            const std::optional<int32_t> target = Target(fields[2 + day]);
            if (!target) {
                return false;
            }
            plan.targets[day] = *target;
        }
        book.setWeek(plan);
        return true;
    }
    const std::optional<DayOffKind> kind = DayOffKindNamed(fields[1]);
    const bool half = fields.size() > 2 && fields[2] == "half";
    if (!kind || fields.size() > 3 || (fields.size() == 3 && !half && fields[2] != "whole")) {
        return false;
    }
    book.mark({*date, *kind, half});
    return true;
}

std::string DateText(QDate date) {
    return date.toString(u"yyyy/MM/dd").toStdString();
}

}  // namespace

std::string_view DayOffKindName(DayOffKind kind) {
    return kKindNames[size_t(kind)];
}

std::optional<DayOffKind> DayOffKindNamed(std::string_view name) {
    for (size_t kind = 0; kind < kKindNames.size(); ++kind) {
        if (kKindNames[kind] == name) {
            return DayOffKind(kind);
        }
    }
    return std::nullopt;
}

DaysText ReadDaysText(std::string_view text) {
    DaysText read;
    // Written by hand, the file may end its lines with CR LF, or its last line with nothing.
    while (!text.empty()) {
        const size_t lf = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, lf);
        text.remove_prefix(std::min(lf + 1, text.size()));
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const bool comment = line.empty() || line.front() == '#';
        if (comment || !ReadLine(line, read.book)) {
            read.book.keptLines.emplace_back(line);
            read.unreadLines += comment ? 0 : 1;
        }
    }
    return read;
}

std::string DaysTextOf(const DaysBook& book) {
    std::string text;
    if (book.keptLines.empty()) {
        text = kExplanation;
    }
    for (const std::string& line : book.keptLines) {
        text.append(line).append("\n");
    }
    // Weeks and days off merged by date; a week first where both share one.
    auto day = book.daysOff.begin();
    auto week = book.weeks.begin();
    while (day != book.daysOff.end() || week != book.weeks.end()) {
        if (week != book.weeks.end() && (day == book.daysOff.end() || week->from <= day->date)) {
            text.append(DateText(week->from)).append("\tweek\t");
            for (size_t i = 0; i < week->targets.size(); ++i) {
                const int32_t minutes = week->targets[i];
                text.append(i == 0 ? "" : " ")
                    .append(std::to_string(minutes / 60))
                    .append(minutes % 60 < 10 ? ":0" : ":")
                    .append(std::to_string(minutes % 60));
            }
            text.append("\n");
            ++week;
        } else {
            text.append(DateText(day->date))
                .append("\t")
                .append(DayOffKindName(day->kind))
                .append(day->half ? "\thalf\n" : "\twhole\n");
            ++day;
        }
    }
    return text;
}

}  // namespace tallimer
