#include "operations/read_journal.h"

#include "journal/journal.h"

namespace tallimer {

int ReadJournalLines(const SettingsStore& store,
                     const std::function<void(std::string_view)>& line) {
    return Journal(store.journalPath).readLines("read journal", line).error;
}

}  // namespace tallimer
