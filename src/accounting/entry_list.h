#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/scan_sink.h"

namespace tallimer {

// The entry list as data: column titles from the journal's first line and one row per later
// line. It lives as long as the entry list view and keeps its rows when a scan reads no line.
class EntryList : public ScanSink {
  public:
    struct Row {
        QString date;       // columns 0 to 9
        QString time;       // columns 11 to 15, indented by two blanks for a Stop
        QString project;    // column 17 to the end
        bool stop = false;  // a TAB at column 10
    };

    void ListLine(std::string_view line, int32_t lineNumber, long long offset) override;

    // False until a first line was seen: a new list shows neither columns nor rows.
    bool hasColumns() const { return hasColumns_; }
    // Date, time (unindented) and project cells of the first line.
    const std::array<QString, 3>& titles() const { return titles_; }
    static constexpr std::array<int, 3> kColumnWidths = {65, 46, 94};

    // Descending when the view is created; a column-title click toggles it.
    bool descending() const { return descending_; }
    void ToggleSortDirection() { descending_ = !descending_; }

    // Rows in journal order, their cells made when asked for.
    size_t rowCount() const { return starts_.size(); }
    Row row(size_t index) const;
    // The same cells written over `row`'s texts, whose room is reused: for a caller that
    // goes through every row.
    void FillRow(size_t index, Row& row) const;
    // Row indices in display order: by date text (collated), rows of one date in journal
    // order in both directions.
    std::vector<size_t> DisplayOrder() const;

    // A line's cells, for a list kept elsewhere (see EntryIndex).
    static std::array<QString, 3> TitlesOf(std::string_view firstLine);
    static void FillRowFrom(std::string_view line, Row& row);
    static std::string_view DateCell(std::string_view line);
    // The date cells in the order of the list: collated as the texts they show.
    static int CompareDateCells(std::string_view a, std::string_view b);

  private:
    // The code-page bytes of a row's line.
    std::string_view Line(size_t index) const;

    bool hasColumns_ = false;
    bool descending_ = true;
    std::array<QString, 3> titles_;
    // Every row's line as the journal holds it, one after the other: a list costs about the
    // bytes it shows.
    std::string text_;
    std::vector<size_t> starts_;  // where each row's line begins in text_
};

}  // namespace tallimer
