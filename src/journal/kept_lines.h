#pragma once

#include <string>
#include <string_view>

namespace tallimer {

// The kept bytes: every line of `journal` that does not begin with the date key, byte for
// byte, including bare-LF lines and a last line without LF.
void AppendKeptLines(std::string_view journal, std::string_view dateKey, std::string& out);

}  // namespace tallimer
