#include "journal/project_collector.h"

#include "platform/code_page.h"

namespace tallimer {

namespace {
uint64_t FoldedHash(std::string_view bytes) {
    uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes) {
        hash =
            (hash ^ platform::CodePageFoldedChar(static_cast<unsigned char>(c))) * 1099511628211ull;
    }
    return hash;
}

bool FoldedEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i] && platform::CodePageFoldedChar(static_cast<unsigned char>(a[i])) !=
                                platform::CodePageFoldedChar(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}
}  // namespace

int32_t ProjectCollector::Find(std::string_view project, uint64_t hash) const {
    if (last_ < entries_.size() && entries_[last_].hash == hash &&
        FoldedEqual(entries_[last_].bytes, project)) {
        return static_cast<int32_t>(last_);
    }
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

void ProjectCollector::Grow() {
    std::vector<uint32_t> buckets(buckets_.empty() ? 64 : buckets_.size() * 2, 0);
    const size_t mask = buckets.size() - 1;
    for (size_t i = 0; i < entries_.size(); ++i) {
        size_t slot = entries_[i].hash & mask;
        while (buckets[slot] != 0) {
            slot = (slot + 1) & mask;
        }
        buckets[slot] = static_cast<uint32_t>(i + 1);
    }
    buckets_ = std::move(buckets);
}

void ProjectCollector::Add(std::string_view project) {
    const uint64_t hash = FoldedHash(project);
    const int32_t found = Find(project, hash);
    if (found >= 0) {
        last_ = static_cast<size_t>(found);
        return;
    }
    entries_.push_back({project, hash});
    last_ = entries_.size() - 1;
    // Keep the table at most half full.
    if (entries_.size() * 2 > buckets_.size()) {
        Grow();
        return;
    }
    const size_t mask = buckets_.size() - 1;
    size_t slot = hash & mask;
    while (buckets_[slot] != 0) {
        slot = (slot + 1) & mask;
    }
    buckets_[slot] = static_cast<uint32_t>(entries_.size());
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
