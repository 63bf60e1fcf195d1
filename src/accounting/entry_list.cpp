#include "accounting/entry_list.h"

#include <QChar>
#include <algorithm>
#include <cstring>
#include <numeric>
#include <tuple>

#include "journal/journal_line.h"
#include "platform/code_page.h"

namespace tallimer {

namespace {

// Columns [first, end) of the line; empty where the line ends before `first`.
std::string_view ByteCell(std::string_view line, qsizetype first, qsizetype end) {
    if (qsizetype(line.size()) <= first) {
        return {};
    }
    return line.substr(size_t(first), size_t(end - first));
}

// Whether every byte is below 0x80, eight at a time.
bool IsAscii(std::string_view bytes) {
    size_t i = 0;
    uint64_t high = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        uint64_t word = 0;
        std::memcpy(&word, bytes.data() + i, sizeof word);
        high |= word;
    }
    for (; i < bytes.size(); ++i) {
        high |= static_cast<unsigned char>(bytes[i]);
    }
    return (high & 0x8080808080808080ull) == 0;
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
    if (lineNumber == 0) {
        // One byte is one character of the code page, so byte columns are character columns.
        // Emptied but keeping their room: the view's next scan fills them again.
        rows_.clear();
        keys_.clear();
        text_.resize(0);
        titles_ = {
            platform::FromCodePage(ByteCell(line, 0, JournalColumn::DateEnd)),
            platform::FromCodePage(ByteCell(line, JournalColumn::Time, JournalColumn::TimeEnd)),
            platform::FromCodePage(ByteCell(line, JournalColumn::Project, line.size()))};
        hasColumns_ = true;
        return;
    }

    const qsizetype start = text_.size();
    if (IsAscii(line)) {
        // The code page is ASCII below 0x80, and Qt widens such text fastest.
        text_.append(QLatin1StringView(line.data(), qsizetype(line.size())));
    } else {
        const qsizetype needed = start + qsizetype(line.size());
        if (needed > text_.capacity()) {
            text_.reserve(qMax(needed, 2 * text_.capacity()));  // grows geometrically
        }
        text_.resize(needed);
        platform::AppendFromCodePage(line, text_.data() + start);
    }
    rows_.push_back({start, qsizetype(line.size()), IsStopLine(line)});

    const std::string_view date = ByteCell(line, 0, JournalColumn::DateEnd);
    const CollationRanks& ranks = Ranks();
    DateKey key;
    for (size_t i = 0; i < JournalColumn::DateEnd; ++i) {
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

QStringView EntryList::Cell(const Line& line, qsizetype first, qsizetype end) const {
    if (line.length <= first) {
        return {};
    }
    return QStringView(text_).mid(line.start + first, qMin(end, line.length) - first);
}

EntryList::Row EntryList::row(size_t index) const {
    const Line& line = rows_[index];
    const QStringView time = Cell(line, JournalColumn::Time, JournalColumn::TimeEnd);
    return {Cell(line, 0, JournalColumn::DateEnd).toString(),
            line.stop ? QStringLiteral("  ").append(time) : time.toString(),
            Cell(line, JournalColumn::Project, line.length).toString()};
}

std::vector<size_t> EntryList::DisplayOrder() const {
    const auto keyLess = [](const DateKey& a, const DateKey& b) {
        return std::tie(a.high, a.low) < std::tie(b.high, b.low);
    };
    // A journal is written day by day, so its dates are usually in order already: then the
    // order is the journal's, or its runs of equal dates taken from the last one back.
    if (std::is_sorted(keys_.begin(), keys_.end(), keyLess)) {
        std::vector<size_t> order(keys_.size());
        if (!descending_) {
            std::iota(order.begin(), order.end(), size_t{0});
            return order;
        }
        size_t out = 0;
        for (size_t end = keys_.size(); end > 0;) {
            size_t begin = end - 1;
            while (begin > 0 && !keyLess(keys_[begin - 1], keys_[begin])) {
                --begin;
            }
            for (size_t i = begin; i < end; ++i) {
                order[out++] = i;
            }
            end = begin;
        }
        return order;
    }

    struct Item {
        DateKey key;
        size_t index;
    };
    std::vector<Item> items;
    items.reserve(keys_.size());
    for (size_t i = 0; i < keys_.size(); ++i) {
        items.push_back({keys_[i], i});
    }
    const auto less = [&keyLess](const Item& a, const Item& b) { return keyLess(a.key, b.key); };
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
