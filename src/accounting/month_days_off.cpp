#include "accounting/month_days_off.h"

#include <array>

#include "accounting/day_off_texts.h"
#include "accounting/day_terms.h"
#include "journal/journal_line.h"

namespace tallimer {

namespace {

constexpr size_t kKinds = 4;

// A count of half days as days: "0.5 days", "1 day", "2.5 days".
QString DaysText(int halves) {
    const int whole = halves / 2;
    if (halves % 2 != 0) {
        return QString::asprintf("%d.5 days", whole);
    }
    return QString::asprintf("%d day%s", whole, whole == 1 ? "" : "s");
}

}  // namespace

void AddDaysOffNodes(ReportTree& tree, const DaysOffNodes& at, const DaysBook& book,
                     const Settings& settings, const MonthState& month, QDate today) {
    if (book.empty()) {
        return;
    }
    std::array<int, kKinds> halves{};
    int missing = 0;
    const QDate first(at.selectedDate.year(), at.selectedDate.month(), 1);
    for (int d = 1; d <= first.daysInMonth(); ++d) {
        const QDate date(first.year(), first.month(), d);
        const DayTerms terms = TermsOf(book, settings, date);
        const bool hasEntries = month.dayTable[size_t(d)] != 0;
        QString text;
        if (terms.kind) {
            // As the day summary names it, in the report's lower case.
            const DayOff day{date, *terms.kind, terms.half};
            text = u' ' + DayOffSummaryText(&day).toLower();
            halves[size_t(*terms.kind)] += terms.half ? 1 : 2;
        } else if (date <= today && IsMissingDay(terms, hasEntries ? 1 : 0)) {
            text = QStringLiteral(" missing");
            ++missing;
        } else {
            continue;
        }
        const int dayNode = tree.AddNode(u' ' + SelectedDateText(date), at.monthNode);
        tree.AddNode(text, dayNode);
        if (date == at.selectedDate) {
            tree.AddNode(text, at.dayNode);
        }
    }

    int allHalves = 0;
    for (const int n : halves) {
        allHalves += n;
    }
    if (allHalves != 0) {
        const int daysOff = tree.AddNode(QStringLiteral("days off"), at.monthNode);
        for (size_t kind = 0; kind < halves.size(); ++kind) {
            if (halves[kind] != 0) {
                const int node = tree.AddNode(DayOffKindText(DayOffKind(kind)).toLower(), daysOff);
                tree.AddNode(DaysText(halves[kind]), node);
            }
        }
    }
    if (missing != 0) {
        const int node = tree.AddNode(QStringLiteral("missing workdays"), at.monthNode);
        tree.AddNode(DaysText(2 * missing), node);
    }
}

}  // namespace tallimer
