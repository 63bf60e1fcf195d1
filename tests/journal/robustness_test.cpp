#include <random>

#include "journal/remove_day_entries.h"
#include "journal/rescan_journal.h"
#include "journal_test_support.h"

namespace tallimer::test {
namespace {

// A sink that touches everything it is given, so a bad view would be noticed by the
// sanitizers.
struct TouchingSink : ScanSink {
    size_t bytes = 0;
    void DayLine(int32_t, int32_t, std::string_view p) override { bytes += p.size(); }
    void MonthLine(std::string_view l, int32_t, std::string_view p) override {
        bytes += l.size() + p.size();
    }
    void ListLine(std::string_view l, int32_t) override { bytes += l.size(); }
};

std::string RandomJournal(std::mt19937& rng) {
    static const std::string pieces[] = {"2004/01/23", " ",  "\t",   "\r\n",        "\n", "\r",
                                         ":",          "-",  "0",    "99",          "\0", "08:00",
                                         "2004/01/2",  "ab", "\xff", "99999999999", "+"};
    std::string journal;
    const int count = int(rng() % 400);
    for (int i = 0; i < count; ++i) {
        if (rng() % 50 == 0) {
            journal += std::string(rng() % 3000, char(rng()));
        } else {
            const std::string& piece = pieces[rng() % std::size(pieces)];
            journal += piece.empty() ? std::string(1, '\0') : piece;
        }
    }
    return journal;
}

using HostileJournal = JournalTest;

TEST_F(HostileJournal, RandomBytesThroughScanAndRemove) {
    std::mt19937 rng(20041023);
    const QDate date(2004, 1, 23);
    for (int round = 0; round < 300; ++round) {
        const std::string bytes = RandomJournal(rng);
        writeHandheld(kJournal, bytes);
        for (int32_t view : {ViewDaySummary, ViewEntryList, ViewReport}) {
            store.settings.viewKind = view;
            TouchingSink sink;
            ASSERT_TRUE(RescanJournal(store, date, day, month, &sink).opened);
        }
        EXPECT_GE(day.entryCount, 0);
        EXPECT_TRUE(day.periodOpen == 0 || day.periodOpen == 1);

        if (day.entryCount > 0) {
            ASSERT_TRUE(RemoveDayEntries(store, day).success);
            std::string expected;
            AppendKeptLines(bytes, "2004/01/23", expected);
            ASSERT_EQ(journal(), expected);
            scan(date);
            EXPECT_EQ(day.entryCount, 0);
        }
    }
}

}  // namespace
}  // namespace tallimer::test
