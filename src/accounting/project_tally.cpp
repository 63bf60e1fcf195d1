#include "accounting/project_tally.h"

#include <algorithm>

#include "base/collation.h"
#include "base/saturating.h"
#include "journal/journal_line.h"
#include "platform/line_text.h"

namespace tallimer {

void ProjectTally::Add(std::string_view line, int32_t entryTime) {
    const std::string_view project = ProjectBytes(line);
    const QByteArray key(project.data(), qsizetype(project.size()));
    auto found = index_.constFind(key);
    if (found == index_.constEnd()) {
        QString text = platform::LineText(project);
        const auto same = textIndex_.constFind(text);
        if (same != textIndex_.cend()) {
            found = index_.insert(key, *same);
        } else {
            found = index_.insert(key, projects_.size());
            textIndex_.insert(text, projects_.size());
            projects_.push_back({std::move(text), 0});
        }
    }
    int32_t& minutes = projects_[*found].minutes;
    minutes = SatAdd(minutes, IsStopLine(line) ? entryTime : SatSub(0, entryTime));
}

std::vector<ProjectTotal> ProjectTally::Sorted() const {
    std::vector<ProjectTotal> projects = projects_;
    // The report adds the most recently met project first, so of names that sort equal the
    // later one stands first.
    std::reverse(projects.begin(), projects.end());
    std::stable_sort(projects.begin(), projects.end(),
                     [](const ProjectTotal& a, const ProjectTotal& b) {
                         return CompareCollated(a.name, b.name) < 0;
                     });
    return projects;
}

}  // namespace tallimer
