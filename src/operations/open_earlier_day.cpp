#include "operations/open_earlier_day.h"

#include <map>

#include "accounting/time_text.h"
#include "journal/journal_lines.h"

namespace tallimer {

namespace {
constexpr char kOperation[] = "open day";
}  // namespace

std::optional<OpenPeriodStart> FindOpenEarlierDay(const Journal& journal, QDate today) {
    // A date is here while its count of lines is odd, with the time of its latest line.
    std::map<QDate, int32_t> oddDates;
    const Journal::Read read = journal.readLines(kOperation, [&](std::string_view line) {
        const std::optional<QDate> date = LineDate(line);
        if (!date || *date >= today) {
            return;
        }
        const auto [place, inserted] = oddDates.try_emplace(*date, EntryTime(line));
        if (!inserted) {
            oddDates.erase(place);
        }
    });
    if (read.error != 0 || oddDates.empty()) {
        return std::nullopt;
    }
    const auto& [date, start] = *oddDates.rbegin();
    return OpenPeriodStart{date, start};
}

QString OpenPeriodText(const OpenPeriodStart& open) {
    return QStringLiteral("The period started on %1 at %2 is still open.")
        .arg(SelectedDateText(open.date), TimeOfDayText(open.start));
}

}  // namespace tallimer
