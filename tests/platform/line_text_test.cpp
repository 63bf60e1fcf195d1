#include "platform/line_text.h"

#include <gtest/gtest.h>

#include <string>

namespace tallimer::platform {
namespace {

TEST(LineTextTest, ValidUtf8ReadsAsUtf8AndAnythingElseAsTheCodePage) {
    EXPECT_EQ(LineText("Meeting 12"), QStringLiteral("Meeting 12"));
    EXPECT_EQ(LineText("\xc5\x81\xc3\xb3"
                       "d\xc5\xba"),
              QString::fromUtf8("\u0141\u00f3d\u017a"));
    EXPECT_EQ(LineText("\xe6\x9d\xb1\xe4\xba\xac \xf0\x9f\x98\x80"),
              QString::fromUtf8("\u6771\u4eac \U0001F600"));
    // The handheld's "Müller", and sequences no UTF-8 writer makes: cut off at the end, overlong,
    // a surrogate. Each byte is then one character, so nothing is lost.
    EXPECT_EQ(LineText("M\xfcller"), QString::fromUtf8("M\u00fcller"));
    EXPECT_EQ(LineText("\x80M\xc3\xbc\xc3"), QString::fromUtf8("\u20acM\u00c3\u00bc\u00c3"));
    EXPECT_EQ(LineText("\xc0\xaf").size(), 2);
    EXPECT_EQ(LineText("\xed\xa0\x80").size(), 3);
    // A byte order mark is a character too.
    EXPECT_EQ(LineText("\xef\xbb\xbfx"), QStringView(u"\ufeffx"));

    QChar cells[8];
    EXPECT_EQ(AppendLineText("\xc3\xa4\xc3\xb6", cells), 2);
    EXPECT_EQ(QStringView(cells, 2), QString::fromUtf8("\u00e4\u00f6"));
}

}  // namespace
}  // namespace tallimer::platform
