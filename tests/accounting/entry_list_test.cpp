#include "accounting/entry_list.h"

#include <gtest/gtest.h>

#include <QDate>
#include <string>
#include <vector>

#include "base/collation.h"
#include "operations/rescan_journal.h"

namespace tallimer {
namespace {

using Rows = std::vector<std::string>;
const std::string kHeader = "Date       Time \tComment\r\n";

// Feeds the list the way the window's scan does, with the entry list shown.
void Scan(EntryList& list, const std::string& journal) {
    Settings settings;
    DayState day;
    MonthState month;
    ScanJournalBytes(journal, settings, QDate(2004, 1, 23), day, month, &list);
}

// Each row in display order as "date|time|project".
Rows Shown(const EntryList& list) {
    Rows shown;
    for (const size_t i : list.DisplayOrder()) {
        const EntryList::Row row = list.row(i);
        shown.push_back((row.date + u'|' + row.time + u'|' + row.project).toStdString());
    }
    return shown;
}

TEST(EntryList, RowsByDateWithOneDatesRowsInJournalOrderBothWays) {
    EntryList list;
    Scan(list, kHeader +
                   "2004/01/22 08:30\tAlpha\r\n"
                   "2004/01/22\t17:15\tAlpha\r\n"
                   "2004/01/23 08:00\tBeta\r\n"
                   "2004/01/23\t12:00\t\r\n"
                   "2004/01/22 18:00\tLate\r\n"
                   "note: Sick\r\n"
                   "\r\n");
    ASSERT_TRUE(list.hasColumns());
    EXPECT_EQ(list.titles(), (std::array<QString, 3>{"Date      ", "Time ", "Comment"}));
    EXPECT_EQ(Shown(list), (Rows{"note: Sick||", "2004/01/23|08:00|Beta", "2004/01/23|  12:00|",
                                 "2004/01/22|08:30|Alpha", "2004/01/22|  17:15|Alpha",
                                 "2004/01/22|18:00|Late", "||"}));
    // Digits before letters; the blank line's empty date first.
    list.ToggleSortDirection();
    EXPECT_EQ(Shown(list), (Rows{"||", "2004/01/22|08:30|Alpha", "2004/01/22|  17:15|Alpha",
                                 "2004/01/22|18:00|Late", "2004/01/23|08:00|Beta",
                                 "2004/01/23|  12:00|", "note: Sick||"}));
}

// Journals are usually in date order already, which takes a path of its own.
TEST(EntryList, JournalAlreadyInDateOrderKeepsEachDayInJournalOrder) {
    EntryList list;
    Scan(list, kHeader +
                   "2004/01/22 08:00\tA\r\n2004/01/22\t09:00\tB\r\n2004/01/23 08:00\tC\r\n"
                   "2004/01/23\t09:00\tD\r\n2004/01/24 08:00\tE\r\n");
    EXPECT_EQ(Shown(list), (Rows{"2004/01/24|08:00|E", "2004/01/23|08:00|C", "2004/01/23|  09:00|D",
                                 "2004/01/22|08:00|A", "2004/01/22|  09:00|B"}));
    list.ToggleSortDirection();
    EXPECT_EQ(list.DisplayOrder(), (std::vector<size_t>{0, 1, 2, 3, 4}));
}

TEST(EntryList, ScanWithoutLinesKeepsRowsAndNextScanStartsOver) {
    EntryList list;
    Scan(list, kHeader + "2004/01/22 08:30\tAlpha\r\n");
    Scan(list, "");
    Scan(list, "2004/01/23 08:00\tno line end yet");
    EXPECT_EQ(Shown(list), Rows{"2004/01/22|08:30|Alpha"});
    // An entry line in the first place gives the titles (its Stop time unindented), not a row.
    Scan(list, "2004/01/22\t17:15\tAlpha\r\n2004/01/23 08:00\tBeta\r\n");
    EXPECT_EQ(list.titles(), (std::array<QString, 3>{"2004/01/22", "17:15", "Alpha"}));
    EXPECT_EQ(Shown(list), Rows{"2004/01/23|08:00|Beta"});
}

TEST(EntryList, ShortLinesGiveEmptyCells) {
    EntryList list;
    Scan(list, kHeader +
                   "2004/01\r\n"
                   "2004/01/22\t\r\n"
                   "2004/01/22 08\r\n"
                   "2004/01/22\t08:30\t\r\n"
                   "2004/01/22 08:30 \xe9t\xe9\r\n");
    EXPECT_EQ(Shown(list), (Rows{"2004/01/22|  |", "2004/01/22|08|", "2004/01/22|  08:30|",
                                 "2004/01/22|08:30|\xc3\xa9t\xc3\xa9", "2004/01||"}));
}

// The compact date key must order every code-page character as the collation does.
TEST(EntryList, OrderAgreesWithCollationOverTheWholeCodePage) {
    EntryList list;
    list.ListLine("header", 0);
    for (int byte = 1; byte < 256; ++byte) {
        const char c = char(byte);
        list.ListLine(std::string{'2', c}, 1);
        list.ListLine(std::string{c}, 1);
        list.ListLine(std::string(10, c), 1);
    }
    for (int pass = 0; pass < 2; ++pass) {
        const std::vector<size_t> order = list.DisplayOrder();
        ASSERT_EQ(order.size(), list.rowCount());
        for (size_t k = 1; k < order.size(); ++k) {
            int cmp = CompareCollated(list.row(order[k - 1]).date, list.row(order[k]).date);
            cmp = list.descending() ? -cmp : cmp;
            EXPECT_TRUE(cmp < 0 || (cmp == 0 && order[k - 1] < order[k])) << k;
        }
        list.ToggleSortDirection();
    }
}

}  // namespace
}  // namespace tallimer
