#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <string_view>

namespace tallimer::platform {

// The system code page, Windows-1252. Every byte is one character and back; a character
// the code page lacks is written as '?'.
QByteArray ToCodePage(QStringView text);
QString FromCodePage(std::string_view bytes);
// The character of one code-page byte.
char16_t CodePageChar(unsigned char byte);
// The case-folded character of one code-page byte, for case-blind comparison of bytes.
char16_t CodePageFoldedChar(unsigned char byte);

}  // namespace tallimer::platform
