#include "operations/read_journal.h"

#include <cerrno>

#include "journal/journal_line.h"
#include "journal/line_reader.h"
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
    // Through a bounded buffer, as the scan reads: the week needs no more for a larger journal.
    LineReader lines([&journal, &store](char* buffer, long long maxBytes) {
        const long long n = journal.read(buffer, maxBytes);
        if (n < 0) {
            platform::ReportFailure(kOperation, store.journalPath);
        }
        return n;
    });
    std::string_view bytesBeforeLf;
    while (lines.Next(bytesBeforeLf)) {
        line(CutLine(bytesBeforeLf));
    }
    journal.close();
    return 0;
}

}  // namespace tallimer
