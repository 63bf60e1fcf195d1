#pragma once

#include <QSet>
#include <QString>
#include <QStringList>
#include <string_view>

namespace tallimer {

// The distinct project texts of a scan in order of first appearance, compared without regard
// to case, each spelled as first met.
class ProjectCollector {
  public:
    void Add(std::string_view project);
    QStringList Names() const { return names_; }

  private:
    QStringList names_;
    QSet<QString> folded_;  // the case-folded form of each name
    QString key_;           // reused for every line, so a known project costs no allocation
};

}  // namespace tallimer
