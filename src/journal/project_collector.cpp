#include "journal/project_collector.h"

#include <cstring>

#include "platform/code_page.h"

namespace tallimer {

namespace {
uint64_t FoldedHash(std::string_view bytes, const char16_t* fold) {
    uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes) {
        hash = (hash ^ fold[static_cast<unsigned char>(c)]) * 1099511628211ull;
    }
    return hash;
}

bool FoldedEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    const char16_t* fold = platform::CodePageFoldTable();
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i] &&
            fold[static_cast<unsigned char>(a[i])] != fold[static_cast<unsigned char>(b[i])]) {
            return false;
        }
    }
    return true;
}

// The slot of a spelling in the recent cache: its length and first eight bytes, mixed.
size_t RecentSlot(std::string_view bytes) {
    uint64_t head = 0;
    std::memcpy(&head, bytes.data(), bytes.size() < 8 ? bytes.size() : 8);
    const uint64_t mixed = (head ^ (uint64_t{bytes.size()} << 56)) * 0x9E3779B97F4A7C15ull;
    return size_t(mixed >> 58);
}
}  // namespace

int32_t ProjectCollector::Find(std::string_view project, uint64_t hash) const {
    if (buckets_.empty()) {
        return -1;
    }
    const size_t mask = buckets_.size() - 1;
    for (size_t slot = hash & mask; buckets_[slot] != 0; slot = (slot + 1) & mask) {
        const Entry& entry = entries_[buckets_[slot] - 1];
        if (entry.hash == hash && FoldedEqual(entry.bytes, project)) {
            return static_cast<int32_t>(buckets_[slot] - 1);
        }
    }
    return -1;
}

void ProjectCollector::Insert(size_t index) {
    const size_t mask = buckets_.size() - 1;
    size_t slot = entries_[index].hash & mask;
    while (buckets_[slot] != 0) {
        slot = (slot + 1) & mask;
    }
    buckets_[slot] = static_cast<uint32_t>(index + 1);
}

void ProjectCollector::Grow() {
    buckets_.assign(buckets_.empty() ? 64 : buckets_.size() * 2, 0);
    for (size_t i = 0; i < entries_.size(); ++i) {
        Insert(i);
    }
}

void ProjectCollector::Add(std::string_view project) {
    // A Stop usually carries its Start's project.
    if (project == previous_) {
        return;
    }
    previous_ = project;
    // A spelling met before is in the list already, in this or another spelling.
    std::string_view& recent = recent_[RecentSlot(project)];
    if (recent.size() == project.size() && recent.data() != nullptr &&
        std::memcmp(recent.data(), project.data(), project.size()) == 0) {
        return;
    }
    recent = project;
    const uint64_t hash = FoldedHash(project, platform::CodePageFoldTable());
    if (Find(project, hash) >= 0) {
        return;
    }
    entries_.push_back({project, hash});
    // Keep the table at most half full.
    if (entries_.size() * 2 > buckets_.size()) {
        Grow();
    } else {
        Insert(entries_.size() - 1);
    }
}

QStringList ProjectCollector::Names() const {
    QStringList names;
    names.reserve(qsizetype(entries_.size()));
    for (const Entry& entry : entries_) {
        names.append(platform::FromCodePage(entry.bytes));
    }
    return names;
}

}  // namespace tallimer
