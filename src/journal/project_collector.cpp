#include "journal/project_collector.h"

#include "platform/line_text.h"

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
    // Compared as text, so a name written once in the code page and once in UTF-8 is one name.
    // Each character is folded alone, so "ß" stays apart from "ss" as it always did.
    QString name = platform::LineText(project);
    QList<uint> folded = name.toUcs4();
    for (uint& ch : folded) {
        ch = QChar::toCaseFolded(char32_t(ch));
    }
    key_ = QString::fromUcs4(reinterpret_cast<const char32_t*>(folded.constData()), folded.size());
    if (!folded_.contains(key_)) {
        folded_.insert(key_);
        names_.append(std::move(name));
    }
}

}  // namespace tallimer
