#include "accounting/entry_list.h"

#include <QChar>
#include <algorithm>
#include <tuple>

#include "platform/code_page.h"

namespace tallimer {

namespace {

constexpr size_t kDateEnd = 10;
constexpr size_t kKindColumn = 10;
constexpr size_t kTimeColumn = 11;
constexpr size_t kTimeEnd = 16;
constexpr size_t kProjectColumn = 17;

// Columns [first, end) of the line; empty where the line ends before `first`.
std::string_view Cell(std::string_view line, size_t first, size_t end) {
    if (line.size() <= first) {
        return {};
    }
    return line.substr(first, end - first);
}

// The Stop's time cell: two blanks, then the time text.
QString IndentedTime(std::string_view time) {
    QString cell(qsizetype(2 + time.size()), Qt::Uninitialized);
    QChar* out = cell.data();
    *out++ = u' ';
    *out++ = u' ';
    for (const char byte : time) {
        *out++ = QChar(platform::CodePageChar(static_cast<unsigned char>(byte)));
    }
    return cell;
}

// Every line is code-page text, so its characters are the 256 of the code page. Ranking their
// lower-cased forms (equal forms share a rank) keeps the collated order in nine bits a
// character; 0 is left free for "no character", which sorts a shorter text first.
struct CollationRanks {
    std::array<uint16_t, 256> ofByte{};
};

CollationRanks BuildRanks() {
    std::array<char32_t, 256> lowered{};
    for (int byte = 0; byte < 256; ++byte) {
        lowered[byte] =
            QChar::toLower(char32_t(platform::CodePageChar(static_cast<unsigned char>(byte))));
    }
    std::array<char32_t, 256> sorted = lowered;
    std::sort(sorted.begin(), sorted.end());
    const auto distinctEnd = std::unique(sorted.begin(), sorted.end());
    CollationRanks ranks;
    for (int byte = 0; byte < 256; ++byte) {
        const auto at = std::lower_bound(sorted.begin(), distinctEnd, lowered[byte]);
        ranks.ofByte[byte] = static_cast<uint16_t>(at - sorted.begin() + 1);
    }
    return ranks;
}

const CollationRanks& Ranks() {
    static const CollationRanks ranks = BuildRanks();
    return ranks;
}

}  // namespace

void EntryList::ListLine(std::string_view line, int32_t lineNumber) {
    // One byte is one character of the code page, so byte columns are character columns.
    const std::string_view date = Cell(line, 0, kDateEnd);
    const std::string_view time = Cell(line, kTimeColumn, kTimeEnd);
    const std::string_view project = Cell(line, kProjectColumn, line.size());

    if (lineNumber == 0) {
        rows_.clear();
        keys_.clear();
        titles_ = {platform::FromCodePage(date), platform::FromCodePage(time),
                   platform::FromCodePage(project)};
        hasColumns_ = true;
        return;
    }

    const bool stop = line.size() > kKindColumn && line[kKindColumn] == '\t';
    rows_.push_back({platform::FromCodePage(date),
                     stop ? IndentedTime(time) : platform::FromCodePage(time),
                     platform::FromCodePage(project)});

    const CollationRanks& ranks = Ranks();
    DateKey key;
    for (size_t i = 0; i < kDateEnd; ++i) {
        const uint64_t rank =
            i < date.size() ? ranks.ofByte[static_cast<unsigned char>(date[i])] : 0;
        if (i < 7) {
            key.high = (key.high << 9) | rank;
        } else {
            key.low = (key.low << 9) | uint32_t(rank);
        }
    }
    keys_.push_back(key);
}

std::vector<size_t> EntryList::DisplayOrder() const {
    struct Item {
        DateKey key;
        size_t index;
    };
    std::vector<Item> items;
    items.reserve(keys_.size());
    for (size_t i = 0; i < keys_.size(); ++i) {
        items.push_back({keys_[i], i});
    }
    const auto less = [](const Item& a, const Item& b) {
        return std::tie(a.key.high, a.key.low) < std::tie(b.key.high, b.key.low);
    };
    // Stable in both directions: rows of one date stay in journal order.
    if (descending_) {
        std::stable_sort(items.begin(), items.end(),
                         [&less](const Item& a, const Item& b) { return less(b, a); });
    } else {
        std::stable_sort(items.begin(), items.end(), less);
    }
    std::vector<size_t> order;
    order.reserve(items.size());
    for (const Item& item : items) {
        order.push_back(item.index);
    }
    return order;
}

}  // namespace tallimer
