#pragma once

#include <string>

namespace tallimer::bench {

// A journal of `lines` entry lines after its header. Days with a morning and an afternoon
// period and a handful of projects; with `oneMonth` every line falls in June 2001.
std::string GenerateJournal(int lines, bool oneMonth = false);

// A journal of `lines` entry lines over working days (Monday to Friday) from 2016/01/04,
// `linesPerDay` lines a day (a Start and a Stop per period): 200,000 lines at 80 a day are
// ten years of 40 short periods a day.
std::string GenerateWorkingYears(int lines, int linesPerDay = 80);

}  // namespace tallimer::bench
