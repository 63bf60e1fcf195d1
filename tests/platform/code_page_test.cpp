#include "platform/code_page.h"

#include <gtest/gtest.h>

#include <string>

namespace tallimer::platform {
namespace {

TEST(CodePageTest, EveryByteIsOneCharacterAndBackAndMissingOnesAQuestionMark) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    const QString text = FromCodePage(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(ToCodePage(text), QByteArray(all.data(), 256));
    // The upper half is the Western code page, not Latin-1.
    EXPECT_EQ(text[0x80], u'€');
    EXPECT_EQ(text[0x9F], u'Ÿ');
    EXPECT_EQ(text[0xE4], u'ä');
    EXPECT_EQ(CodePageChar(0xE4), u'ä');

    // A character missing from it becomes one question mark, a surrogate pair too.
    EXPECT_EQ(ToCodePage(QString::fromUtf8("a\u4e2d\U0001F600b\u0080")), "a??b?");
    const char16_t loneSurrogates[] = {u'x', 0xD800, 0xDC00, 0xDC00, 0xD83D};
    EXPECT_EQ(ToCodePage(QStringView(loneSurrogates, 5)), "x???");
    EXPECT_EQ(ToCodePage(QStringView(loneSurrogates + 1, 2)), "?");
}

}  // namespace
}  // namespace tallimer::platform
