#include "ui/entry_list_view.h"

#include <QHeaderView>
#include <QTreeView>
#include <new>

#include "accounting/time_text.h"
#include "ui/commands.h"
#include "ui/dialog_builder.h"
#include "ui/zoom.h"

namespace tallimer {

void EntryListModel::reload() {
    beginResetModel();
    hasColumns_ = list_.hasColumns();
    try {
        order_ = list_.DisplayOrder();
    } catch (const std::bad_alloc&) {
        order_.clear();  // no room to put the rows in order: none are shown
    }
    endResetModel();
}

void EntryListModel::toggleSortDirection() {
    list_.ToggleSortDirection();
    reload();
}

bool EntryListModel::isStale() const {
    return hasColumns_ != list_.hasColumns() || order_.size() > list_.rowCount();
}

int EntryListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(order_.size());
}

int EntryListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !hasColumns_ ? 0 : 3;
}

QVariant EntryListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || size_t(index.row()) >= order_.size()) {
        return {};
    }
    const EntryList::Row row = list_.row(order_[size_t(index.row())]);
    switch (index.column()) {
        case 0:
            return row.date;
        case 1:
            return row.time;
        case 2:
            return row.project;
        default:
            return {};
    }
}

QVariant EntryListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section > 2) {
        return {};
    }
    return list_.titles()[size_t(section)];
}

EntryListView::EntryListView(QWidget* parent) : ViewWindow(ViewEntryList, parent) {
    view_ = FindControlAs<QTreeView>(this, IDC_ENTRY_LIST);
    setAccessibleName(QStringLiteral("Entry list"));
    view_->setAccessibleName(QStringLiteral("Entries"));
    model_ = new EntryListModel(list_, this);
    view_->setModel(model_);
    view_->setRootIsDecorated(false);
    view_->setUniformRowHeights(true);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->header()->setSectionsClickable(true);
    view_->header()->setStretchLastSection(false);
    connect(view_->header(), &QHeaderView::sectionClicked, this, [this] {
        model_->toggleSortDirection();
        showColumns();
        emit resorted();
    });
    connect(view_, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
        const QString date = model_->index(index.row(), 0).data().toString();
        if (const std::optional<QDate> day = DateOfText(date)) {
            emit dayActivated(*day);
        }
    });
}

ScanSink* EntryListView::beginScan(const Settings& /*settings*/, MonthState& /*month*/,
                                   const DaysBook& /*days*/) {
    return &list_;
}

void EntryListView::scanFailed() {
    if (model_->isStale()) {
        model_->reload();
    }
}

void EntryListView::endScan() {
    model_->reload();
    showColumns();
}

void EntryListView::showColumns() {
    if (list_.hasColumns()) {
        for (int column = 0; column < 3; ++column) {
            view_->setColumnWidth(column, Zoomed(EntryList::kColumnWidths[size_t(column)], zoom()));
        }
    }
}

}  // namespace tallimer
