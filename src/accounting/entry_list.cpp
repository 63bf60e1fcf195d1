#include "accounting/entry_list.h"

#include <algorithm>
#include <new>

#include "base/collation.h"
#include "journal/journal_line.h"
#include "platform/line_text.h"

namespace tallimer {

namespace {

// Columns [first, end) of the line; empty where the line ends before `first`. Columns count
// bytes: the date and time are ASCII, and the project runs to the line's end.
std::string_view ByteCell(std::string_view line, size_t first, size_t end) {
    if (line.size() <= first) {
        return {};
    }
    return line.substr(first, end - first);
}

void SetLineText(QString& dest, std::string_view bytes) {
    dest.resize(qsizetype(bytes.size()));
    dest.resize(platform::AppendLineText(bytes, dest.data()));
}

}  // namespace

std::string_view EntryList::DateCell(std::string_view line) {
    return ByteCell(line, 0, JournalColumn::DateEnd);
}

int EntryList::CompareDateCells(std::string_view a, std::string_view b) {
    QChar x[JournalColumn::DateEnd];
    QChar y[JournalColumn::DateEnd];
    const qsizetype xSize = platform::AppendLineText(a, x);
    const qsizetype ySize = platform::AppendLineText(b, y);
    return CompareCollated(QStringView(x, xSize), QStringView(y, ySize));
}

std::array<QString, 3> EntryList::TitlesOf(std::string_view line) {
    return {platform::LineText(DateCell(line)),
            platform::LineText(ByteCell(line, JournalColumn::Time, JournalColumn::TimeEnd)),
            platform::LineText(ByteCell(line, JournalColumn::Project, line.size()))};
}

void EntryList::ListLine(std::string_view line, int32_t lineNumber, long long /*offset*/) {
    if (lineNumber == 0) {
        // Emptied but keeping their room: the view's next scan fills them again.
        text_.clear();
        starts_.clear();
        titles_ = TitlesOf(line);
        hasColumns_ = true;
        return;
    }
    try {
        starts_.push_back(text_.size());
        text_.append(line);
    } catch (const std::bad_alloc&) {
        // A journal too large for memory: the list gives up all it holds rather than show
        // part of the journal, and the scan fails.
        text_ = {};
        starts_ = {};
        hasColumns_ = false;
        throw;
    }
}

std::string_view EntryList::Line(size_t index) const {
    const size_t end = index + 1 < starts_.size() ? starts_[index + 1] : text_.size();
    return std::string_view(text_).substr(starts_[index], end - starts_[index]);
}

EntryList::Row EntryList::row(size_t index) const {
    Row row;
    FillRow(index, row);
    return row;
}

void EntryList::FillRow(size_t index, Row& row) const {
    FillRowFrom(Line(index), row);
}

void EntryList::FillRowFrom(std::string_view line, Row& row) {
    row.stop = IsStopLine(line);
    SetLineText(row.date, DateCell(line));
    // A Stop's time is indented by two blanks.
    const std::string_view time = ByteCell(line, JournalColumn::Time, JournalColumn::TimeEnd);
    const qsizetype indent = row.stop ? 2 : 0;
    row.time.resize(indent + qsizetype(time.size()));
    QChar* const cells = row.time.data();
    std::fill(cells, cells + indent, QChar(u' '));
    row.time.resize(indent + platform::AppendLineText(time, cells + indent));
    SetLineText(row.project, ByteCell(line, JournalColumn::Project, line.size()));
}

std::vector<size_t> EntryList::DisplayOrder() const {
    // A journal keeps a date's rows together, so the sort moves runs of rows that share their
    // date bytes, each known by its first row. Stable in both directions: rows of one date
    // stay in journal order.
    const auto sameDate = [this](size_t a, size_t b) {
        return DateCell(Line(a)) == DateCell(Line(b));
    };
    std::vector<size_t> runs;
    for (size_t i = 0; i < starts_.size(); ++i) {
        if (runs.empty() || !sameDate(runs.back(), i)) {
            runs.push_back(i);
        }
    }
    std::stable_sort(runs.begin(), runs.end(), [this](size_t a, size_t b) {
        const int c = CompareDateCells(DateCell(Line(a)), DateCell(Line(b)));
        return descending_ ? c > 0 : c < 0;
    });
    std::vector<size_t> order;
    order.reserve(starts_.size());
    for (const size_t first : runs) {
        for (size_t i = first; i < starts_.size() && sameDate(first, i); ++i) {
            order.push_back(i);
        }
    }
    return order;
}

}  // namespace tallimer
