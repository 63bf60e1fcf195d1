#include "accounting/time_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace tallimer {
namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

struct ValueText {
    int32_t value;
    const char16_t* text;
};

TEST(FormatSignedTime, ClockForms) {
    const std::vector<ValueText> cases = {
        {0, u"+ 00:00"},          {510, u"+ 08:30"},        {-75, u"- 01:15"}, {-30, u"- 00:30"},
        {6000, u"+ 100:00"},      {-1, u"- 00:01"},         {60, u"+ 01:00"},  {-60, u"- 01:00"},
        {kMax, u"+ 35791394:07"}, {kMin, u"- 35791394:08"},
    };
    for (const auto& c : cases) {
        QString dest = QStringLiteral("old content");
        EXPECT_EQ(FormatSignedTime(dest, c.value), QString::fromUtf16(c.text)) << c.value;
    }
}

TEST(AppendDecimalHours, HundredthsAreTruncated) {
    const std::vector<ValueText> cases = {
        {15, u"  ( + 0.25 )"}, {30, u"  ( + 0.50 )"},     {45, u"  ( + 0.75 )"},
        {10, u"  ( + 0.16 )"}, {20, u"  ( + 0.33 )"},     {40, u"  ( + 0.66 )"},
        {59, u"  ( + 0.98 )"}, {1, u"  ( + 0.01 )"},      {-1, u"  ( - 0.01 )"},
        {0, u"  ( + 0.00 )"},  {6000, u"  ( + 100.00 )"}, {kMin, u"  ( - 35791394.13 )"},
    };
    for (const auto& c : cases) {
        QString dest;
        EXPECT_EQ(AppendDecimalHours(dest, c.value), QString::fromUtf16(c.text)) << c.value;
    }
}

TEST(AppendDecimalHours, AppendsAfterClockForm) {
    QString dest;
    FormatSignedTime(dest, -75);
    EXPECT_EQ(AppendDecimalHours(dest, -75), QStringLiteral("- 01:15  ( - 1.25 )"));
}

struct EditCase {
    EditHoursForm form;
    int32_t value;
    const char16_t* text;
};

TEST(FormatEditHours, Variants) {
    using F = EditHoursForm;
    const std::vector<EditCase> cases = {
        {F::Plain, 30, u"30"},
        {F::Plain, -7, u"-7"},
        {F::HoursOptionalMinutes, 2400, u"40"},
        {F::HoursOptionalMinutes, 2310, u"38:30"},
        {F::HoursOptionalMinutes, 2405, u"40:05"},
        // The unsigned forms print negative input as printf does.
        {F::HoursOptionalMinutes, -75, u"-1:-15"},
        {F::HoursOptionalMinutes, -5, u"0:-5"},
        {F::SignedHoursOptionalMinutes, -600, u"-10"},
        {F::SignedHoursOptionalMinutes, -630, u"-10:30"},
        {F::SignedHoursOptionalMinutes, 90, u"1:30"},
        {F::SignedHoursOptionalMinutes, 0, u"0"},
        {F::SignedHoursOptionalMinutes, -30, u"-0:30"},
        {F::SignedHoursMinutes, 0, u"0:00"},
        {F::SignedHoursMinutes, -75, u"-1:15"},
        {F::SignedHoursMinutes, 605, u"10:05"},
        {F::SignedHoursMinutes, -30, u"-0:30"},
        {F::SignedHoursMinutes, -1, u"-0:01"},
        {F::SignedHoursMinutes, kMin, u"-35791394:08"},
        {F::HoursMinutes, 0, u"0:00"},
        {F::HoursMinutes, 1380, u"23:00"},
        {F::HoursMinutes, -75, u"-1:-15"},
    };
    for (const auto& c : cases) {
        QString dest = QStringLiteral("old");
        EXPECT_EQ(FormatEditHours(dest, c.value, c.form), QString::fromUtf16(c.text))
            << int(c.form) << " " << c.value;
    }
}

struct TextValue {
    const char16_t* text;
    int32_t value;
};

TEST(ParseHoursText, Forms) {
    const std::vector<TextValue> cases = {
        {u"8", 480},
        {u"8:30", 510},
        {u"-1:15", -75},
        {u"7.5", 450},
        {u"7,25", 435},
        {u"7.05", 423},
        {u"7.125", 427},
        {u"-2.5", -150},
        {u"7.", 420},
        {u"", 0},
        {u"abc", 0},
        {u"8h30", 480},
        {u"38:30", 2310},
        {u"38.5", 2310},
        {u"38,50", 2310},
        {u"1.5", 90},
        {u"1.5 ", 63},
        {u"1.5x", 63},
        {u"7:5", 425},
        {u"7:75", 495},
        {u"+8", 480},
        {u":30", 30},
        {u".5", 30},
        {u" \t8:30", 510},
        // A minus sign on a zero hours part makes the value negative.
        {u"-0:30", -30},
        {u"-0.5", -30},
        {u"-0,25", -15},
        {u"-00:05", -5},
        {u"-:30", 30},
        // ":" wins over "." and ","; "." wins over ",".
        {u"1.5:30", 90},
        {u"1,5.5", 90},
        // With one kind repeated, the first occurrence splits ("5." is a two-character
        // fraction text).
        {u"1:2:3", 62},
        {u"1.5.5", 63},
        // Far outside the range: saturated, never wrapped.
        {u"99999999999", kMax},
        {u"-99999999999", kMin},
        {u"35791394:07", kMax},
        {u"35791394:08", kMax},
        {u"-35791394:08", kMin},
        {u"-35791394:09", kMin},
        {u"1:99999999999", kMax},
        {u"-1:99999999999", kMin},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseHoursText(QString::fromUtf16(c.text)), c.value)
            << QString::fromUtf16(c.text).toStdString();
    }
}

TEST(LeadingInteger, WideAndBytesAgree) {
    const std::vector<std::pair<std::string, int32_t>> cases = {
        {"42", 42},
        {"  -15x", -15},
        {"\t\n\v\f\r+7", 7},
        {"", 0},
        {"-", 0},
        {"+-3", 0},
        {"- 3", 0},
        {"x12", 0},
        {"2147483647", kMax},
        {"2147483648", kMax},
        {"-2147483648", kMin},
        {"-2147483649", kMin},
        {"000000000000000000000012", 12},
        {"99999999999999999999999999999", kMax},
        {"-99999999999999999999999999999", kMin},
    };
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(LeadingInteger(std::string_view(text)), value) << text;
        EXPECT_EQ(LeadingInteger(QString::fromLatin1(text)), value) << text;
    }
}

TEST(LeadingInteger, StopsAtNulAndNonAsciiDigits) {
    EXPECT_EQ(LeadingInteger(std::string_view("12\0"
                                              "34",
                                              5)),
              12);
    EXPECT_EQ(LeadingInteger(std::string_view("\0"
                                              "5",
                                              2)),
              0);
    EXPECT_EQ(LeadingInteger(std::string_view("\xA0"
                                              "5",
                                              2)),
              0);
    // Fullwidth digits and the no-break space are not digits or blanks here.
    EXPECT_EQ(LeadingInteger(QStringView(u"\uFF11")), 0);
    EXPECT_EQ(LeadingInteger(QStringView(u"\u00A05")), 0);
}

// The Setup dialog shows a value and reads the shown text back on OK: nothing may change.
TEST(EditForms, ShowThenReadGivesTheSameValue) {
    const std::vector<EditHoursForm> signedForms = {EditHoursForm::SignedHoursMinutes,
                                                    EditHoursForm::SignedHoursOptionalMinutes};
    std::vector<int32_t> values;
    for (int32_t v = -3000; v <= 3000; ++v) {
        values.push_back(v);
    }
    for (int32_t v : {kMin, kMin + 1, kMin + 59, kMin + 60, kMax, kMax - 1, kMax - 7, kMax - 60,
                      -1000000007, 1000000007}) {
        values.push_back(v);
    }
    for (EditHoursForm form : signedForms) {
        for (int32_t v : values) {
            QString text;
            FormatEditHours(text, v, form);
            ASSERT_EQ(ParseHoursText(text), v) << int(form) << " " << text.toStdString();
        }
    }
    // The unsigned forms hold values that are not negative.
    for (int32_t v = 0; v <= 3000; ++v) {
        QString text;
        ASSERT_EQ(ParseHoursText(FormatEditHours(text, v, EditHoursForm::HoursMinutes)), v);
        ASSERT_EQ(ParseHoursText(FormatEditHours(text, v, EditHoursForm::HoursOptionalMinutes)), v);
        ASSERT_EQ(LeadingInteger(FormatEditHours(text, v, EditHoursForm::Plain)), v);
    }
    QString text;
    EXPECT_EQ(LeadingInteger(FormatEditHours(text, kMin, EditHoursForm::Plain)), kMin);
}

}  // namespace
}  // namespace tallimer
