#include "accounting/entry_index.h"

#include <algorithm>
#include <numeric>

namespace tallimer {

namespace {
constexpr const char* kOperation = "list";
}  // namespace

uint32_t EntryIndex::DateId(std::string_view cell) {
    if (const auto found = dateIds_.find(cell); found != dateIds_.end()) {
        return found->second;
    }
    const auto id = uint32_t(dates_.size());
    // A date's text has its own room: its view stays valid as dates_ grows.
    dates_.push_back(std::string(cell));
    dateIds_.emplace(std::string_view(dates_.back()), id);
    return id;
}

void EntryIndex::ListLine(std::string_view line, int32_t lineNumber, long long offset) {
    if (lineNumber == 0) {
        titles_ = EntryList::TitlesOf(line);
        hasColumns_ = true;
        return;
    }
    runs_.Add(DateId(EntryList::DateCell(line)), offset);
}

void EntryIndex::Sort(const JournalAsRead& journal) {
    runs_.Close(journal.linesEnd());
    std::vector<uint32_t> byDate(dates_.size());
    std::iota(byDate.begin(), byDate.end(), 0);
    const auto later = [this](uint32_t a, uint32_t b) {
        return EntryList::CompareDateCells(dates_[a], dates_[b]) > 0;
    };
    std::sort(byDate.begin(), byDate.end(), later);
    // Dates that collate as equal share a rank, so their rows keep journal order.
    std::vector<uint32_t> rank(dates_.size());
    for (size_t i = 0; i < byDate.size(); ++i) {
        const bool tie = i > 0 && !later(byDate[i - 1], byDate[i]);
        rank[byDate[i]] = tie ? rank[byDate[i - 1]] : uint32_t(i);
    }
    runs_.Sort([&rank](uint32_t a, uint32_t b) { return rank[a] < rank[b]; });
}

bool EntryIndex::ForEachRow(JournalAsRead& journal,
                            const std::function<void(const EntryList::Row&)>& visit) const {
    EntryList::Row row;
    return runs_.ForEachLine(journal, kOperation, [&](uint32_t, std::string_view line) {
        EntryList::FillRowFrom(line, row);
        visit(row);
    });
}

}  // namespace tallimer
