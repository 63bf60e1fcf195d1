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
// Writes the characters of `bytes` to `out`, which has room for bytes.size() characters.
void AppendFromCodePage(std::string_view bytes, QChar* out);
// The 256 case-folded characters of the code page, indexed by byte, for case-blind
// comparison of bytes in loops that look at every byte.
const char16_t* CodePageFoldTable();
// The character of one code-page byte.
char16_t CodePageChar(unsigned char byte);

}  // namespace tallimer::platform
