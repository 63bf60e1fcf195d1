#include "operations/save_entry.h"

#include "accounting/balance.h"
#include "base/leading_integer.h"
#include "base/saturating.h"
#include "journal/journal_line.h"
#include "operations/change_intent.h"
#include "operations/undo.h"
#include "platform/diagnostics.h"

namespace tallimer {

namespace {
// The list item texts arrive through a 3-character buffer.
constexpr qsizetype kTimeTextLimit = 2;
constexpr char kOperation[] = "save entry";

// The entry's time of day in minutes, as the list texts give it.
int32_t SelectedMinute(const EntryPanelInput& input) {
    return SatAdd(SatMul(LeadingInteger(input.hourText.left(kTimeTextLimit)), 60),
                  LeadingInteger(input.minuteText.left(kTimeTextLimit)));
}

bool ListHolds(const QStringList& items, const QString& text) {
    for (const QString& item : items) {
        if (item.compare(text, Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

// The journal before and after the line is appended, from its last bytes.
struct Marks {
    long long oldLength = -1;  // -1: this save created the journal
    JournalMark before;
    JournalMark after;
};

// Opens the journal for the save, creating it with its header when missing.
std::optional<Journal::Writer> OpenForSave(const Journal& journal, bool& created) {
    Journal::Writer writer = journal.openOrCreate(&created);
    if (!writer.isOpen()) {
        platform::ReportFailure(kOperation, journal.path());
        return std::nullopt;
    }
    if (created) {
        const QByteArray header = JournalHeaderLine();
        if (!writer.write(std::string_view(header.constData(), size_t(header.size())))) {
            const int reason = errno;
            // Removed again, so the next save finds no file and writes the header.
            journal.remove();
            platform::ReportFailure(kOperation, journal.path(), reason);
            return std::nullopt;
        }
    }
    return writer;
}

// Reads the journal's last bytes once: the marks of its content before and after `line`.
std::optional<Marks> MarksOf(Journal::Writer& writer, const QString& path, bool created,
                             const QByteArray& line) {
    const QByteArray header = created ? JournalHeaderLine() : QByteArray();
    const long long length = created ? header.size() : writer.length();
    std::optional<std::string> tail =
        created ? std::optional(header.toStdString()) : writer.tail(length);
    if (!tail) {
        platform::ReportFailure(kOperation, path);
        return std::nullopt;
    }
    Marks marks{created ? -1 : length, MarkOf(*tail, length), {}};
    tail->append(line.constData(), size_t(line.size()));
    marks.after = MarkOf(*tail, length + line.size());
    return marks;
}
// The day and the balance as the save leaves them, booked once.
DayState Booked(const DayState& day, Settings& settings, int32_t duration, int32_t selected) {
    DayState booked = day;
    booked.entryCount = SatAdd(booked.entryCount, 1);
    if (day.periodOpen != 0) {
        BookStopInBalance(settings, booked, duration);
        booked.periodOpen = 0;
    } else {
        booked.lastStart = selected;
        booked.periodOpen = 1;
    }
    return booked;
}

// What the panel takes from a save: a new project name, and the lists' preset after the day's
// first entry (the time at which the day's target, break included, is reached).
SavedEntry PanelChanges(const EntryPanelInput& input, const QString& project, const DayState& day,
                        const Settings& settings, int32_t duration) {
    SavedEntry saved;
    if (!project.isEmpty() && !ListHolds(input.projects, project)) {
        saved.projectToAppend = project;
    }
    if (day.entryCount == 0) {
        const int32_t preset =
            SatAdd(SatAdd(settings.breakPerDay, DayTarget(day, settings)), duration);
        saved.preset =
            TimeRecord{static_cast<uint16_t>(preset / 60), static_cast<uint16_t>(preset % 60)};
    }
    return saved;
}
}  // namespace

bool EntryIsInFuture(const EntryPanelInput& input, const QDateTime& now, int32_t minuteUnit) {
    if (input.date != now.date()) {
        return false;
    }
    const QTime clock = now.time();
    const TimeRecord shown = SelectTimeInLists({static_cast<uint16_t>(clock.hour()),
                                                static_cast<uint16_t>(clock.minute())},
                                               minuteUnit)
                                 .snapped;
    return SelectedMinute(input) > shown.hour * 60 + shown.minute;
}

SaveOutcome SaveEntry(const Journal& journal, const EntryPanelInput& input, SettingsStore& store,
                      DayState& day, SavedEntry& saved) {
    bool created = false;
    // Held locked until a balance change is complete too.
    std::optional<Journal::Writer> writer = OpenForSave(journal, created);
    if (!writer) {
        return SaveOutcome::DatabaseError;
    }
    const QString hourText = input.hourText.left(kTimeTextLimit);
    const QString minuteText = input.minuteText.left(kTimeTextLimit);
    const int32_t selected = SelectedMinute(input);
    const int32_t duration = SatSub(CappedAtCutOff(selected, store.settings), day.lastStart);
    if (duration < 0) {
        return SaveOutcome::NotLater;
    }

    const QString project = LimitedProject(input.projectText);
    const bool closesPeriod = day.periodOpen != 0;
    const QByteArray line =
        FormatEntryLine(input.date, hourText, minuteText, project, closesPeriod);
    const std::optional<Marks> marks = MarksOf(*writer, journal.path(), created, line);
    if (!marks) {
        return SaveOutcome::DatabaseError;
    }
    Settings after = store.settings;
    const DayState booked = Booked(day, after, duration, selected);
    // A Stop moves the balance: journal and settings change as one transaction.
    BalanceChange change;
    if (closesPeriod && !change.Begin(store, after, JournalChange::Append, marks->before,
                                      marks->after, {LedgerReason::Stop, input.date, input.date})) {
        return SaveOutcome::DatabaseError;
    }
    if (!writer->append(std::string_view(line.constData(), size_t(line.size())))) {
        platform::ReportFailure(kOperation, journal.path());
        if (closesPeriod) {
            change.Abandon();
        }
        return SaveOutcome::DatabaseError;
    }

    saved = PanelChanges(input, project, day, store.settings, duration);
    saved.line = line;
    const int32_t balanceChange = SatSub(after.flexBalance, store.settings.flexBalance);
    day = booked;
    store.settings = after;
    if (closesPeriod) {
        change.Complete(store);
    }
    saved.undoRecorded = RecordUndo(journal, UndoKind::Append, marks->oldLength, marks->after,
                                    balanceChange, {LedgerReason::Stop, input.date, input.date});
    return SaveOutcome::Saved;
}

}  // namespace tallimer
