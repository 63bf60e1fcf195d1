#include "operations/remove_day_entries.h"

#include <cstring>

#include "accounting/balance.h"
#include "journal/journal_line.h"
#include "journal/kept_lines.h"
#include "platform/diagnostics.h"
#include "platform/file.h"
#include "resources/string_table.h"

namespace tallimer {

namespace {
constexpr char16_t kTempFile[] = u"tmp";
constexpr char kOperation[] = "remove day entries";

RemoveResult Failure() {
    RemoveResult result;
    result.messageId = StringId::DatabaseError;
    return result;
}

// Writes the kept lines to "tmp", makes them durable and puts them in the journal's place.
bool ReplaceJournal(const QString& journalPath, const std::string& kept) {
    platform::File temp = platform::File::CreateReplacing(kTempFile);
    if (!temp.isOpen()) {
        platform::ReportFailure(kOperation, kTempFile);
        return false;
    }
    bool written = temp.write(kept) && temp.flush();
    int reason = errno;  // before the close can change it
    if (!temp.close() && written) {
        written = false;
        reason = errno;
    }
    if (!written) {
        platform::DeleteFile(kTempFile);
        platform::ReportFailure(kOperation, kTempFile, reason);
        return false;
    }
    if (!platform::RenameOver(kTempFile, journalPath)) {
        reason = errno;
        platform::DeleteFile(kTempFile);
        platform::ReportFailure(kOperation, journalPath, reason);
        return false;
    }
    return true;
}
}  // namespace

RemoveResult RemoveDayEntries(SettingsStore& store, DayState& day) {
    if (day.entryCount == 0) {
        return {};
    }
    const QByteArray dateKey = DateKey(day.selectedDateText);
    if (dateKey.isEmpty()) {
        return {};
    }

    // Held locked until the new content has taken its place.
    platform::File journal =
        platform::File::OpenExisting(store.journalPath, platform::File::Access::Read);
    if (!journal.isOpen()) {
        platform::ReportFailure(kOperation, store.journalPath);
        return Failure();
    }
    std::string bytes;
    if (!journal.readToEnd(bytes)) {
        // A copy of part of the journal would lose the rest.
        platform::ReportFailure(kOperation, store.journalPath);
        return Failure();
    }
    std::string kept;
    kept.reserve(bytes.size());
    AppendKeptLines(bytes, std::string_view(dateKey.constData(), dateKey.size()), kept);
    if (!ReplaceJournal(store.journalPath, kept)) {
        return Failure();
    }
    journal.close();

    BookDayRemoval(store.settings, day);
    SaveSettings(store);
    RemoveResult result;
    result.success = true;
    result.statusText = LoadString(StringId::StatusStart);
    return result;
}

}  // namespace tallimer
