#include "operations/edit_day.h"

#include <QRegularExpression>
#include <algorithm>
#include <string>
#include <vector>

#include "accounting/day_lines.h"
#include "accounting/day_terms.h"
#include "base/saturating.h"
#include "journal/journal_line.h"
#include "operations/remove_day_entries.h"
#include "platform/diagnostics.h"
#include "platform/line_text.h"

namespace tallimer {

namespace {

constexpr char kOperation[] = "edit day";
constexpr int32_t kDayMinutes = 24 * 60;

// The day's entry lines as Save writes them, but a row the editor left as it was keeps its old
// line's bytes: a line the handheld wrote in the code page stays so. A line break in a project
// would make two lines.
QByteArray LinesOf(QDate date, const DayEntryRows& rows, std::vector<std::string> oldLines) {
    QByteArray lines;
    for (const DayEntryRow& row : rows) {
        QString project = LimitedProject(row.project);
        project.replace(u'\r', u' ').replace(u'\n', u' ');
        const auto same = std::find_if(oldLines.begin(), oldLines.end(), [&](const auto& line) {
            return EntryTime(line) == row.time && IsStopLine(line) == row.stop &&
                   platform::LineText(ProjectBytes(line)) == project;
        });
        if (same != oldLines.end()) {
            lines.append(same->data(), qsizetype(same->size())).append("\r\n");
            oldLines.erase(same);
            continue;
        }
        lines += FormatEntryLine(date, QString::asprintf("%02d", row.time / 60),
                                 QString::asprintf("%02d", row.time % 60), project, row.stop);
    }
    return lines;
}

// A day as the scan makes it of entries at `times`, under the day's terms.
class DayOfTimes {
  public:
    DayOfTimes(const Settings& settings, const DaysBook& days, QDate date) : settings_(settings) {
        ApplyTerms(day_, TermsOf(days, settings, date), settings);
    }
    void Add(int32_t time) { TakeDayLine(day_, settings_, time); }
    const DayState& day() const { return day_; }

  private:
    Settings settings_;
    DayState day_;
};

}  // namespace

DayEntriesRead ReadDayEntries(const Journal& journal, QDate date) {
    const QByteArray key = DateKey(SelectedDateText(date));
    const std::string_view dateKey(key.constData(), size_t(key.size()));
    DayEntriesRead read;
    const Journal::Read lines = journal.readLines(kOperation, [&](std::string_view line) {
        if (StartsWith(line, dateKey)) {
            read.rows.push_back(DayEntryRow{EntryTime(line), IsStopLine(line),
                                            platform::LineText(ProjectBytes(line))});
        }
    });
    read.error = lines.error;
    read.mark = lines.mark;
    return read;
}

std::optional<EditDayOutcome> RowsRefusal(const DayEntryRows& rows) {
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].time < 0 || rows[i].time >= kDayMinutes) {
            return EditDayOutcome::TimeOutOfRange;
        }
    }
    for (size_t i = 1; i < rows.size(); ++i) {
        if (rows[i].time < rows[i - 1].time) {
            return EditDayOutcome::NotInOrder;
        }
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].stop != (i % 2 == 1)) {
            return EditDayOutcome::NotAlternating;
        }
    }
    return std::nullopt;
}

QString EntryTimeText(int32_t time) {
    return QString::asprintf("%d:%02d", time / 60, time % 60);
}

std::optional<int32_t> EntryTimeOfText(QStringView text) {
    static const QRegularExpression form(QStringLiteral("^\\s*([0-9]{1,2}):([0-9]{2})\\s*$"));
    const QRegularExpressionMatch match = form.match(text.toString());
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const int hour = match.capturedView(1).toInt();
    const int minute = match.capturedView(2).toInt();
    if (hour > 23 || minute > 59) {
        return std::nullopt;
    }
    return hour * 60 + minute;
}

EditDayOutcome EditDay(const Journal& journal, SettingsStore& store, const DayState& day,
                       const DaysBook& days, const DayEdit& edit, bool& undoRecorded,
                       const LineVisitor& newLine) {
    undoRecorded = false;
    if (const std::optional<EditDayOutcome> refusal = RowsRefusal(edit.rows)) {
        return *refusal;
    }
    if (SelectedDateText(edit.date) != day.selectedDateText) {
        return EditDayOutcome::JournalChanged;  // the day held is another than the one edited
    }
    // Held alone until the new content has taken its place, as Remove holds it.
    Journal::Writer writer = journal.openExisting();
    const std::optional<JournalMark> oldMark =
        writer.isOpen() ? writer.markAt(writer.length()) : std::nullopt;
    if (!oldMark) {
        platform::ReportFailure(kOperation, journal.path());
        return EditDayOutcome::DatabaseError;
    }
    if (*oldMark != edit.expectedMark) {
        return EditDayOutcome::JournalChanged;
    }
    DayOfTimes edited(store.settings, days, edit.date);
    for (const DayEntryRow& row : edit.rows) {
        edited.Add(row.time);
    }
    Settings after = store.settings;
    after.flexBalance = SatAdd(SatSub(after.flexBalance, day.credit), edited.day().credit);

    const QByteArray key = DateKey(day.selectedDateText);
    const std::string_view dateKey(key.constData(), size_t(key.size()));
    std::vector<std::string> oldLines;
    const Journal::Read read = writer.readLines(kOperation, [&](std::string_view line) {
        if (StartsWith(line, dateKey)) {
            oldLines.emplace_back(line);
        }
    });
    if (read.error != 0) {
        return EditDayOutcome::DatabaseError;  // reported by the read
    }
    const QByteArray lines = LinesOf(edit.date, edit.rows, std::move(oldLines));
    DayOfTimes old(store.settings, days, edit.date);
    const Journal::Writer::DayInPlace inPlace{
        std::string_view(lines.constData(), size_t(lines.size())),
        [&old](std::string_view line) { old.Add(EntryTime(line)); }};
    // The new content's lines are handed on with the balance that goes with it.
    const Settings before = store.settings;
    store.settings = after;
    platform::Replacement replacement = writer.replacement();
    const std::optional<Journal::Writer::KeptCopy> kept =
        replacement.isOpen() ? writer.writeKeptLines(dateKey, replacement.file(), newLine, inPlace)
                             : std::nullopt;
    store.settings = before;
    if (!kept) {
        platform::ReportFailure(kOperation, journal.path());
        return EditDayOutcome::DatabaseError;
    }
    // Booked against the credit the balance holds for the day: lines that give another were
    // not the ones the editor showed.
    if (old.day().entryCount == 0) {
        return EditDayOutcome::NoEntries;
    }
    if (old.day().credit != day.credit || old.day().entryCount != day.entryCount) {
        return EditDayOutcome::JournalChanged;
    }
    if (!CommitJournalRewrite(kOperation, journal, writer, replacement, store, after, *oldMark,
                              *kept, {LedgerReason::Edit, edit.date, edit.date}, undoRecorded)) {
        return EditDayOutcome::DatabaseError;  // the replacement's temporary goes with it
    }
    return EditDayOutcome::Edited;
}

}  // namespace tallimer
