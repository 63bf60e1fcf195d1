#pragma once

#include <QChar>
#include <QString>
#include <string_view>

namespace tallimer::platform {

// The text of a journal line's bytes. Tallimer writes UTF-8, the handheld wrote the code page,
// and a journal may hold both: bytes that are valid UTF-8 read as UTF-8, others as the code
// page, so every byte still reads as a character. Plain ASCII is both and is read without a
// decoder.
QString LineText(std::string_view bytes);
// Writes the text of `bytes` to `out`, which has room for bytes.size() characters (UTF-8 never
// gives more), and returns how many it wrote.
qsizetype AppendLineText(std::string_view bytes, QChar* out);

}  // namespace tallimer::platform
