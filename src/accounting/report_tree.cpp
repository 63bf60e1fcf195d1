#include "accounting/report_tree.h"

#include <algorithm>
#include <utility>

#include "base/collation.h"

namespace tallimer {

void ReportTree::Clear() {
    nodes_.clear();
    roots_.clear();
}

int ReportTree::AddNode(QString text, int parent, State state) {
    const int id = static_cast<int>(nodes_.size());
    std::vector<int>& siblings = parent == kRoot ? roots_ : nodes_[size_t(parent)].children;
    // After the last sibling that sorts at or before the new text: equal texts keep the order
    // in which they were added.
    const auto at = std::upper_bound(
        siblings.begin(), siblings.end(), text, [this](const QString& t, int sibling) {
            return CompareCollated(t, nodes_[size_t(sibling)].text) < 0;
        });
    siblings.insert(at, id);
    nodes_.push_back(Node{std::move(text), parent, state, {}});
    return id;
}

const std::vector<int>& ReportTree::children(int parent) const {
    return parent == kRoot ? roots_ : nodes_[size_t(parent)].children;
}

std::vector<ReportTree::Line> ReportTree::DisplayOrder() const {
    std::vector<Line> lines;
    lines.reserve(nodes_.size());
    // Depth first without recursion: the stack holds the nodes still to show, next on top.
    std::vector<Line> pending;
    for (auto it = roots_.rbegin(); it != roots_.rend(); ++it) {
        pending.push_back({*it, 0});
    }
    while (!pending.empty()) {
        const Line line = pending.back();
        pending.pop_back();
        lines.push_back(line);
        const std::vector<int>& below = nodes_[size_t(line.id)].children;
        for (auto it = below.rbegin(); it != below.rend(); ++it) {
            pending.push_back({*it, line.depth + 1});
        }
    }
    return lines;
}

}  // namespace tallimer
