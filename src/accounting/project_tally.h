#pragma once

#include <QByteArray>
#include <QHash>
#include <cstdint>
#include <string_view>
#include <vector>

#include "model/month_state.h"

namespace tallimer {

// Lines totalled by project as the monthly report totals them: a Stop adds its time, a Start
// subtracts its own, so an open period leaves its project negative.
class ProjectTally {
  public:
    // A journal line as CutLine leaves it, with its entry time.
    void Add(std::string_view line, int32_t entryTime);
    // Sorted as the report sorts its project nodes.
    std::vector<ProjectTotal> Sorted() const;

  private:
    std::vector<ProjectTotal> projects_;
    // By the project's exact bytes and by its text, as the report finds them.
    QHash<QByteArray, size_t> index_;
    QHash<QString, size_t> textIndex_;
};

}  // namespace tallimer
