#include <gtest/gtest.h>

#include "accounting/day_off_texts.h"
#include "operations/day_off_form.h"

namespace tallimer {
namespace {

const QDate kFriday(2004, 1, 23);
const QDate kMonday(2004, 1, 26);

// The dates a form's request marks in a book without week plans.
std::vector<QDate> Marked(const DayOffForm& form) {
    const std::optional<DayOffRequest> request = RequestOf(form);
    EXPECT_TRUE(request.has_value());
    EXPECT_EQ(request->action, DayOffRequest::Action::Mark);
    DaysBook book;
    const DaysEdit edit = EditOf(*request);
    edit(book);
    std::vector<QDate> dates;
    for (const DayOff& day : book.daysOff) {
        dates.push_back(day.date);
    }
    return dates;
}

// Opened on a date: that date alone, a whole vacation, or the day off the date already has.
TEST(DayOffForm, OpensOnTheSelectedDateWithItsOwnDayOff) {
    DaysBook book;
    EXPECT_EQ(DayOffFormFor(kFriday, book),
              (DayOffForm{DayOffKind::Vacation, false, kFriday, kFriday}));
    book.mark({kFriday, DayOffKind::Sick, true});
    const DayOffForm form = DayOffFormFor(kFriday, book);
    EXPECT_EQ(form, (DayOffForm{DayOffKind::Sick, true, kFriday, kFriday}));
    EXPECT_EQ(
        RequestOf(form),
        (DayOffRequest{DayOffRequest::Action::Mark, kFriday, kFriday, DayOffKind::Sick, true, {}}));
    EXPECT_EQ(DayOffChoices().size(), 5u);
    EXPECT_FALSE(DayOffChoices().back().kind.has_value());
}

// A single date is marked whatever its weekday; a range only on its workdays, half or whole.
TEST(DayOffForm, ARangeMarksItsWorkdaysAndASingleDateItself) {
    const QDate saturday(2004, 1, 24);
    EXPECT_EQ((Marked({DayOffKind::Holiday, false, saturday, saturday})), (std::vector{saturday}));
    EXPECT_EQ((Marked({DayOffKind::Vacation, true, kFriday, kMonday})),
              (std::vector{kFriday, kMonday}));
}

// Clearing takes the whole dates of the range, weekend included; the half field is off then.
TEST(DayOffForm, ClearTakesWholeDatesAndToBeforeFromAsksNothing) {
    const DayOffForm clear{std::nullopt, true, kFriday, kMonday};
    EXPECT_FALSE(HalfApplies(clear));
    EXPECT_TRUE((HalfApplies({DayOffKind::Flexday, true, kFriday, kFriday})));
    DaysBook book;
    for (QDate date = kFriday; date <= kMonday; date = date.addDays(1)) {
        book.mark({date, DayOffKind::Holiday, false});
    }
    const DaysEdit edit = EditOf(*RequestOf(clear));
    edit(book);
    EXPECT_TRUE(book.daysOff.empty());

    EXPECT_FALSE((RequestOf({DayOffKind::Vacation, false, kMonday, kFriday})));
    EXPECT_FALSE((RequestOf({DayOffKind::Vacation, false, QDate(), kFriday})));
}

TEST(DayOffForm, ImportRefusesAnUnreadableOrEmptyCalendar) {
    const HolidayImport unreadable =
        ImportOf({{}, QStringLiteral("/x.ics: not an iCalendar file")});
    EXPECT_FALSE(unreadable.request);
    EXPECT_EQ(unreadable.refusal, "Holidays not imported!\n/x.ics: not an iCalendar file");
    const HolidayImport empty = ImportOf({});
    EXPECT_FALSE(empty.request);
    EXPECT_EQ(empty.refusal, "Holidays not imported!\nThe calendar holds no all-day events.");
    const HolidayImport read = ImportOf({{{kFriday, QStringLiteral("A")}, {kMonday, {}}}, {}});
    ASSERT_TRUE(read.request);
    EXPECT_EQ(read.request->action, DayOffRequest::Action::Import);
    EXPECT_EQ(read.request->holidays, (std::vector{kFriday, kMonday}));
}

// The day summary's line: nothing for a day that is no day off.
TEST(DayOffForm, SummaryNamesTheKindAndAHalfDay) {
    const DayOff vacation{kFriday, DayOffKind::Vacation, false};
    const DayOff sick{kFriday, DayOffKind::Sick, true};
    const DayOff flexday{kFriday, DayOffKind::Flexday, true};
    EXPECT_EQ(DayOffSummaryText(nullptr), "");
    EXPECT_EQ(DayOffSummaryText(&vacation), "Vacation");
    EXPECT_EQ(DayOffSummaryText(&sick), "Half day sick");
    EXPECT_EQ(DayOffSummaryText(&flexday), "Half flexitime day off");
}

}  // namespace
}  // namespace tallimer
