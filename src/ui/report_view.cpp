#include "ui/report_view.h"

#include <QHeaderView>
#include <QStyle>
#include <QStyleFactory>
#include <QTreeWidget>
#include <vector>

#include "accounting/time_text.h"
#include "platform/clock.h"
#include "ui/commands.h"
#include "ui/dialog_builder.h"

namespace tallimer {

ReportView::ReportView(QWidget* parent) : ViewWindow(ViewReport, parent) {
    tree_ = FindControlAs<QTreeWidget>(this, IDC_REPORT_TREE);
    setAccessibleName(QStringLiteral("Monthly report"));
    tree_->setAccessibleName(QStringLiteral("Report"));
    tree_->setRootIsDecorated(true);
    tree_->setItemsExpandable(true);
    // Every node's text is read whole: the column is as wide as its widest text, with a
    // scroll bar when that is wider than the view, never cut off with "...".
    tree_->header()->setStretchLastSection(false);
    tree_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tree_->setTextElideMode(Qt::ElideNone);
    tree_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Lines between items and at the root, which the Windows style draws and many others do
    // not.
    if (QStyle* lines = QStyleFactory::create(QStringLiteral("Windows"))) {
        lines->setParent(tree_);
        tree_->setStyle(lines);
        // Its sunken frame is white on two sides, which the window's white would swallow.
        tree_->setFrameStyle(QFrame::Box | QFrame::Plain);
    }
    // That style draws the lines in the palette's dark colour, which a dark theme's base
    // hides: half way between text and base shows on either.
    QPalette palette = tree_->palette();
    const QColor text = palette.color(QPalette::Text);
    const QColor base = palette.color(QPalette::Base);
    palette.setColor(QPalette::Dark,
                     QColor((text.red() + base.red()) / 2, (text.green() + base.green()) / 2,
                            (text.blue() + base.blue()) / 2));
    tree_->setPalette(palette);
    // The selected day's node and the days the month names are " YYYY/MM/DD", at the report's
    // first two levels; deeper nodes hold project names, which may look like a date.
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        int depth = 0;
        for (const QTreeWidgetItem* parent = item->parent(); parent != nullptr;
             parent = parent->parent()) {
            ++depth;
        }
        const QString text = item->text(0);
        if ((depth == 1 || depth == 2) && text.startsWith(u' ')) {
            if (const std::optional<QDate> day = DateOfText(text.mid(1))) {
                emit dayActivated(*day);
            }
        }
    });
}

ReportView::~ReportView() = default;

ScanSink* ReportView::beginScan(const Settings& settings, MonthState& month, const DaysBook& days) {
    report_ = std::make_unique<MonthReport>(settings, month, platform::LocalNow().date(), &days);
    return report_.get();
}

void ReportView::endScan() {
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
        item->setToolTip(0, node.text);
        items[size_t(line.id)] = item;
    }
    for (QTreeWidgetItem* item : expanded) {
        item->setExpanded(true);
    }
}

}  // namespace tallimer
