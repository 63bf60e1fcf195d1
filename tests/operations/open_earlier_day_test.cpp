// The latest day before today that left a period open, through the Tracker.

#include "operations_test_support.h"

namespace tallimer::test {
namespace {

const QDate kToday(2004, 1, 23);

class OpenEarlierDay : public JournalTest {
  protected:
    std::optional<OpenPeriodStart> find(const std::string& entries) {
        writeHandheld(kJournal, kHeader + entries);
        return tracker().openEarlierDay(kToday);
    }
};

TEST_F(OpenEarlierDay, NoneWhenEveryEarlierDayIsClosedOrThereIsNoJournal) {
    EXPECT_FALSE(tracker().openEarlierDay(kToday));
    // Today's open period is not an earlier one; a day closed further down is closed.
    EXPECT_FALSE(
        find("2004/01/21 08:00\tA\r\n2004/01/22 08:00\tA\r\n2004/01/22\t12:00\tA\r\n"
             "2004/01/23 08:00\tA\r\n2004/01/21\t17:00\tA\r\n"));
}

TEST_F(OpenEarlierDay, TheLatestOpenDayWithItsLastStart) {
    std::optional<OpenPeriodStart> open = find(
        "2004/01/20 07:00\tA\r\n"
        "2004/01/22 08:00\tA\r\n2004/01/22\t12:00\tA\r\n"
        "2004/01/23 08:00\tA\r\n"
        "2004/01/22 13:15\tB\r\n");  // out of date order
    ASSERT_TRUE(open);
    EXPECT_EQ(open->date, QDate(2004, 1, 22));
    EXPECT_EQ(open->start, 13 * 60 + 15);
    EXPECT_EQ(OpenPeriodText(*open), "The period started on 2004/01/22 at 13:15 is still open.");

    // Closed, the earlier open day is the one left.
    open = find("2004/01/20 07:00\tA\r\n2004/01/22 08:00\tA\r\n2004/01/22\t12:00\tA\r\n");
    ASSERT_TRUE(open);
    EXPECT_EQ(open->date, QDate(2004, 1, 20));
    EXPECT_EQ(open->start, 7 * 60);
}

}  // namespace
}  // namespace tallimer::test
