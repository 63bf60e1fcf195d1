#pragma once

#include <functional>
#include <string_view>

#include "operations/settings_store.h"

namespace tallimer {

// Hands every line of the journal to `line`, read as the scan reads it (shared lock, a
// bounded buffer, each line as CutLine leaves it). Returns 0, or the errno of an open that failed;
// a read that fails midway ends the journal there, as in the scan.
int ReadJournalLines(const SettingsStore& store, const std::function<void(std::string_view)>& line);

}  // namespace tallimer
