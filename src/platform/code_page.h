#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <string_view>

namespace tallimer::platform {

// The system code page, Windows-1252: the settings file and the registry's texts, and the
// journal lines the handheld wrote. Every byte is one character and back; a character the code
// page lacks is written as '?'.
QByteArray ToCodePage(QStringView text);
QString FromCodePage(std::string_view bytes);
// Writes the characters of `bytes` to `out`, which has room for bytes.size() characters.
void AppendFromCodePage(std::string_view bytes, QChar* out);
// The character of one code-page byte.
char16_t CodePageChar(unsigned char byte);

}  // namespace tallimer::platform
