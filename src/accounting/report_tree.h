#pragma once

#include <QString>
#include <QStringView>
#include <vector>

namespace tallimer {

// The report as data: nodes with text, parent and state, each placed among its siblings by
// sorted insertion (equal texts keep the order in which they were added).
class ReportTree {
  public:
    static constexpr int kRoot = -1;
    enum class State { Plain, Expanded, Bold };

    struct Node {
        QString text;
        int parent = kRoot;
        State state = State::Plain;
        std::vector<int> children;  // in display order
    };

    void Clear();
    // Adds a child of `parent` (kRoot for the top) and returns its id.
    int AddNode(QString text, int parent, State state = State::Plain);

    const Node& node(int id) const { return nodes_[size_t(id)]; }
    const std::vector<int>& children(int parent) const;
    size_t size() const { return nodes_.size(); }

    // Every node in display order (depth first, siblings sorted), with its depth.
    struct Line {
        int id;
        int depth;
    };
    std::vector<Line> DisplayOrder() const;

  private:
    std::vector<Node> nodes_;
    std::vector<int> roots_;
};

}  // namespace tallimer
