#include "journal/project_collector.h"

#include "platform/code_page.h"

namespace tallimer {

bool ProjectCollector::Knows(std::string_view project) {
    // Its length and three of its bytes pick the slot, mixed by one multiplication: the
    // handful of projects a journal uses rarely share one.
    uint64_t key = project.size();
    if (!project.empty()) {
        const auto byte = [project](size_t i) { return uint64_t(uint8_t(project[i])); };
        key |= byte(0) << 16 | byte(project.size() / 2) << 24 | byte(project.size() - 1) << 32;
    }
    const size_t slot = (key * 0x9E3779B97F4A7C15u) >> (64 - kRecentBits);
    std::string_view& recent = recent_[slot];
    if (recent.data() != nullptr && recent == project) {
        return true;
    }
    const auto found = spellings_.find(project);
    if (found == spellings_.end()) {
        return false;
    }
    recent = *found;  // the set's nodes stay where they are
    return true;
}

void ProjectCollector::Add(std::string_view project) {
    if (Knows(project)) {
        return;
    }
    spellings_.emplace(project);
    const char16_t* fold = platform::CodePageFoldTable();
    key_.resize(qsizetype(project.size()));
    QChar* out = key_.data();
    for (const char byte : project) {
        *out++ = QChar(fold[static_cast<unsigned char>(byte)]);
    }
    if (!folded_.contains(key_)) {
        folded_.insert(key_);
        names_.append(platform::FromCodePage(project));
    }
}

}  // namespace tallimer
