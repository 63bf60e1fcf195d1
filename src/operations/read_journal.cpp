#include "operations/read_journal.h"

#include <cerrno>
#include <string>

#include "journal/journal_lines.h"
#include "platform/diagnostics.h"
#include "platform/file.h"

namespace tallimer {

namespace {
constexpr char kOperation[] = "read journal";
}  // namespace

int ReadJournalLines(const SettingsStore& store,
                     const std::function<void(std::string_view)>& line) {
    platform::File journal =
        platform::File::OpenExisting(store.journalPath, platform::File::Access::Read);
    if (!journal.isOpen()) {
        const int error = errno;
        return error != 0 ? error : EIO;
    }
    std::string bytes;
    if (!journal.readToEnd(bytes)) {
        platform::ReportFailure(kOperation, store.journalPath);
    }
    journal.close();
    ForEachJournalLine(bytes, line);
    return 0;
}

}  // namespace tallimer
