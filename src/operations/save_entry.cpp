#include "operations/save_entry.h"

#include "accounting/balance.h"
#include "base/leading_integer.h"
#include "base/saturating.h"
#include "journal/journal_line.h"
#include "operations/change_intent.h"
#include "operations/undo.h"
#include "platform/diagnostics.h"
#include "platform/file.h"
#include "resources/string_table.h"

namespace tallimer {

namespace {
// The list item texts arrive through a 3-character buffer, the project text through 80.
constexpr qsizetype kTimeTextLimit = 2;
constexpr qsizetype kProjectLimit = 79;
constexpr char kOperation[] = "save entry";

SaveEntryResult Failure(int messageId) {
    SaveEntryResult result;
    result.messageId = messageId;
    return result;
}

bool ListHolds(const QStringList& items, const QString& text) {
    for (const QString& item : items) {
        if (item.compare(text, Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

// Appends the line with one checked write. On failure the file is cut back to its old
// length, so a half-written line never stays in the journal.
bool AppendLine(platform::File& journal, const QString& path, const QByteArray& line) {
    const long long oldLength = journal.seekToEnd();
    if (oldLength < 0) {
        platform::ReportFailure(kOperation, path);
        return false;
    }
    if (!journal.write(std::string_view(line.constData(), line.size())) || !journal.flush()) {
        const int reason = errno;
        journal.truncate(oldLength);
        platform::ReportFailure(kOperation, path, reason);
        return false;
    }
    return true;
}

// Writes the intent of a Stop: the balance it books and the journal with its line appended.
bool BeginStop(platform::File& journal, const SettingsStore& store, const DayState& day,
               int32_t duration, const QByteArray& line, BalanceChange& change) {
    const long long oldLength = journal.seekToEnd();
    std::optional<std::string> tail = JournalTail(journal, oldLength);
    if (!tail) {
        platform::ReportFailure(kOperation, store.journalPath);
        return false;
    }
    const JournalMark oldMark = MarkOf(*tail, oldLength);
    tail->append(line.constData(), size_t(line.size()));
    Settings after = store.settings;
    DayState booked = day;
    BookStopInBalance(after, booked, duration);
    return change.Begin(store, after, JournalChange::Append, oldMark,
                        MarkOf(*tail, oldLength + line.size()));
}
}  // namespace

SaveEntryResult SaveEntry(const EntryPanelInput& input, SettingsStore& store, DayState& day) {
    Settings& settings = store.settings;
    bool created = false;
    // Held locked until a balance change is complete too.
    platform::File journal = platform::File::OpenOrCreate(store.journalPath, &created);
    if (!journal.isOpen()) {
        platform::ReportFailure(kOperation, store.journalPath);
        return Failure(StringId::DatabaseError);
    }
    if (created) {
        const QByteArray header = JournalHeaderLine();
        if (!journal.write(std::string_view(header.constData(), header.size()))) {
            const int reason = errno;
            // Removed again, so the next save finds no file and writes the header.
            platform::DeleteFile(store.journalPath);
            platform::ReportFailure(kOperation, store.journalPath, reason);
            return Failure(StringId::DatabaseError);
        }
    }

    const QString hourText = input.hourText.left(kTimeTextLimit);
    const QString minuteText = input.minuteText.left(kTimeTextLimit);
    const int32_t selected =
        SatAdd(SatMul(LeadingInteger(hourText), 60), LeadingInteger(minuteText));

    const int32_t cutOff = settings.cutOffTime;
    const int32_t effective = (cutOff != 0 && selected > cutOff) ? cutOff : selected;
    const int32_t duration = SatSub(effective, day.lastStart);
    if (duration < 0) {
        return Failure(StringId::NotLaterRefusal);
    }

    const QString project = input.projectText.left(kProjectLimit);
    const bool closesPeriod = day.periodOpen != 0;
    const QByteArray line =
        FormatEntryLine(input.date, hourText, minuteText, project, closesPeriod);
    // A Stop moves the balance: journal and settings change as one transaction.
    BalanceChange change;
    if (closesPeriod && !BeginStop(journal, store, day, duration, line, change)) {
        return Failure(StringId::DatabaseError);
    }
    if (!AppendLine(journal, store.journalPath, line)) {
        if (closesPeriod) {
            change.Abandon();
        }
        return Failure(StringId::DatabaseError);
    }
    const long long lengthBefore = created ? -1 : journal.seekToEnd() - line.size();
    const int32_t balanceBefore = settings.flexBalance;

    SaveEntryResult result;
    result.success = true;
    if (!project.isEmpty() && !ListHolds(input.projects, project)) {
        result.projectToAppend = project;
    }
    if (day.entryCount == 0) {
        // The time at which the day's target, break included, is reached.
        const int32_t preset =
            SatAdd(SatAdd(settings.breakPerDay, settings.targetPerDay), duration);
        result.preset =
            TimeRecord{static_cast<uint16_t>(preset / 60), static_cast<uint16_t>(preset % 60)};
    }
    day.entryCount = SatAdd(day.entryCount, 1);
    if (closesPeriod) {
        BookStopInBalance(settings, day, duration);
        day.periodOpen = 0;
        result.statusText = LoadString(StringId::StatusStart);
        change.Complete(store);
    } else {
        day.lastStart = selected;
        day.periodOpen = 1;
        result.statusText = LoadString(StringId::StatusStop);
    }
    RecordUndo(store.journalPath, UndoKind::Append, lengthBefore,
               MarkAt(journal, journal.seekToEnd()), SatSub(settings.flexBalance, balanceBefore));
    result.removeEnabled = true;
    return result;
}

}  // namespace tallimer
