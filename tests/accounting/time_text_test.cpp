#include "accounting/time_text.h"
#include "base/leading_integer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace tallimer {
namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

// The clock form, then the decimal hours with the hundredths truncated. Setup's fields show
// the usual forms (setup_form_test); the unsigned ones print negative input as printf does.
TEST(FormatSignedTime, ClockFormThenDecimalHoursAndTheEditFormsEdges) {
    for (const auto& [value, text] :
         {std::pair{10, u"+ 00:10  ( + 0.16 )"}, std::pair{-1, u"- 00:01  ( - 0.01 )"},
          std::pair{kMin, u"- 35791394:08  ( - 35791394.13 )"}}) {
        QString dest = QStringLiteral("old content");
        FormatSignedTime(dest, value);
        EXPECT_EQ(AppendDecimalHours(dest, value), QString::fromUtf16(text)) << value;
    }
    QString dest = QStringLiteral("old");
    EXPECT_EQ(FormatEditHours(dest, -7, EditHoursForm::Plain), "-7");
    EXPECT_EQ(FormatEditHours(dest, -75, EditHoursForm::HoursMinutes), "-1:-15");
    EXPECT_EQ(FormatEditHours(dest, kMin, EditHoursForm::SignedHoursMinutes), "-35791394:08");
}

// Hours, then minutes after ":" or a fraction after "." or ","; ":" wins over "." and ",",
// "." over ",", and the first of a repeated separator splits. A fraction is the two characters
// after it ("5." is hundredths). A minus sign with a zero hours part still makes the value
// negative. Values far outside the range saturate rather than wrap.
TEST(ParseHoursText, Forms) {
    struct TextValue {
        const char16_t* text;
        int32_t value;
    };
    const std::vector<TextValue> forms = {
        {u"abc", 0},    {u"8h30", 480},  {u"7:75", 495},  {u"7,25", 435},
        {u"7.05", 423}, {u"7.125", 427}, {u"-0:30", -30}, {u"-0,25", -15},
        {u"-:30", 30},  {u"1.5:30", 90}, {u"1,5.5", 90},  {u"1:2:3", 62},
    };
    const std::vector<TextValue> saturated = {{u"99999999999", kMax},
                                              {u"35791394:08", kMax},
                                              {u"-35791394:09", kMin},
                                              {u"-1:99999999999", kMin}};
    for (const std::vector<TextValue>& cases : {forms, saturated}) {
        for (const auto& [text, value] : cases) {
            EXPECT_EQ(ParseHoursText(QString::fromUtf16(text)), value)
                << QString::fromUtf16(text).toStdString();
        }
    }
}

// Bytes and wide texts agree; NUL, bytes above ASCII, fullwidth digits and the no-break space
// are neither digits nor blanks.
TEST(LeadingInteger, WideAndBytesAgree) {
    for (const auto& [text, value] : std::vector<std::pair<std::string, int32_t>>{
             {"\t\n\v\f\r+7", 7},
             {"+-3", 0},
             {"2147483648", kMax},
             {"-2147483648", kMin},
             {"-2147483649", kMin},
             {"000000000000000000000012", 12},
             {std::string("12\00034", 5), 12},  // "12", NUL, "34"
             {"\2405", 0}}) {
        EXPECT_EQ(LeadingInteger(std::string_view(text)), value) << text;
        EXPECT_EQ(LeadingInteger(QString::fromLatin1(text)), value) << text;
    }
    EXPECT_EQ(LeadingInteger(QStringView(u"  -15x")), -15);
    EXPECT_EQ(LeadingInteger(QStringView(u"\uFF11")), 0);
    EXPECT_EQ(LeadingInteger(QStringView(u"\u00A05")), 0);
}

// The Setup dialog shows a value and reads the shown text back on OK: nothing may change.
TEST(EditForms, ShowThenReadGivesTheSameValue) {
    using F = EditHoursForm;
    std::vector<int32_t> values = {kMin, kMin + 59, kMin + 60, kMax, kMax - 7, kMax - 60};
    for (int32_t v = -3000; v <= 3000; ++v) {
        values.push_back(v);
    }
    for (int32_t v : values) {
        QString text;
        ASSERT_EQ(LeadingInteger(FormatEditHours(text, v, F::Plain)), v);
        // The unsigned forms hold values that are not negative.
        for (F form : {F::SignedHoursMinutes, F::SignedHoursOptionalMinutes, F::HoursMinutes,
                       F::HoursOptionalMinutes}) {
            if ((v >= 0 && v <= 3000) || form == F::SignedHoursMinutes ||
                form == F::SignedHoursOptionalMinutes) {
                ASSERT_EQ(ParseHoursText(FormatEditHours(text, v, form)), v)
                    << int(form) << " " << v;
            }
        }
    }
}

}  // namespace
}  // namespace tallimer
