#include "ui/report_view.h"

#include <QTreeWidget>
#include <vector>

#include "ui/commands.h"
#include "ui/dialog_builder.h"

namespace tallimer {

ReportView::ReportView(QWidget* parent) : ViewWindow(ViewReport, parent) {
    tree_ = FindControlAs<QTreeWidget>(this, IDC_REPORT_TREE);
    tree_->setRootIsDecorated(true);
    tree_->setItemsExpandable(true);
}

ReportView::~ReportView() = default;

ScanSink* ReportView::BeginScan(const Settings& settings, MonthState& month) {
    report_ = std::make_unique<MonthReport>(settings, month);
    return report_.get();
}

void ReportView::EndScan() {
    if (!report_) {
        return;
    }
    const ReportTree& data = report_->tree();
    tree_->clear();
    std::vector<QTreeWidgetItem*> items(data.size(), nullptr);
    std::vector<QTreeWidgetItem*> expanded;
    for (const ReportTree::Line& line : data.DisplayOrder()) {
        const ReportTree::Node& node = data.node(line.id);
        QTreeWidgetItem* item =
            node.parent == ReportTree::kRoot
                ? new QTreeWidgetItem(tree_, QStringList{node.text})
                : new QTreeWidgetItem(items[size_t(node.parent)], QStringList{node.text});
        if (node.state == ReportTree::State::Bold) {
            QFont font = item->font(0);
            font.setBold(true);
            item->setFont(0, font);
        } else if (node.state == ReportTree::State::Expanded) {
            expanded.push_back(item);
        }
        items[size_t(line.id)] = item;
    }
    for (QTreeWidgetItem* item : expanded) {
        item->setExpanded(true);
    }
}

}  // namespace tallimer
