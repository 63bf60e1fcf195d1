#pragma once

#include <string>

namespace tallimer::bench {

// A journal of `lines` entry lines after its header. Days with a morning and an afternoon
// period and a handful of projects; with `oneMonth` every line falls in June 2001.
std::string GenerateJournal(int lines, bool oneMonth = false);

}  // namespace tallimer::bench
