#pragma once

#include <QSet>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>

#include "base/bytes_hash.h"

namespace tallimer {

// The distinct project texts of a scan in order of first appearance, compared as text (whatever
// the bytes' encoding) without regard to case, each spelled as first met.
class ProjectCollector {
  public:
    // Whether `project`, byte for byte, was added before: then adding it changes nothing.
    // Nearly every line repeats a spelling, and its bytes settle it without folding.
    bool Knows(std::string_view project);
    void Add(std::string_view project);
    QStringList Names() const { return names_; }

  private:
    QStringList names_;
    QSet<QString> folded_;  // the case-folded form of each name
    // Every spelling added, and the ones found lately by a cheap slot of their own.
    std::unordered_set<std::string, BytesHash, std::equal_to<>> spellings_;
    static constexpr int kRecentBits = 6;
    std::array<std::string_view, size_t{1} << kRecentBits> recent_{};
    QString key_;  // the folded text of the spelling last added
};

}  // namespace tallimer
