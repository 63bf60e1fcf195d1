#pragma once

#include <QStringList>
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tallimer {

// The distinct project texts of a scan in order of first appearance, compared without regard
// to case, each spelled as first met. Holds views into the scanned bytes, so a line costs no
// allocation; a hash of the folded text keeps journals with many projects fast, and a small
// cache of exact spellings lets the usual line skip the folding altogether.
class ProjectCollector {
  public:
    void Add(std::string_view project);
    QStringList Names() const;

  private:
    struct Entry {
        std::string_view bytes;
        uint64_t hash;
    };
    std::vector<Entry> entries_;
    std::vector<uint32_t> buckets_;  // index + 1 into entries_, 0 = empty
    // Spellings met recently, by a cheap hash of their exact bytes.
    std::array<std::string_view, 64> recent_{};
    std::string_view previous_;  // the project of the line before

    int32_t Find(std::string_view project, uint64_t hash) const;
    void Insert(size_t index);
    void Grow();
};

}  // namespace tallimer
