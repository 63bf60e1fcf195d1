#pragma once

#include <QAbstractTableModel>
#include <QDate>
#include <vector>

#include "accounting/entry_list.h"
#include "ui/view_window.h"

class QTreeView;

namespace tallimer {

// The rows of an EntryList in display order, for a list control.
class EntryListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit EntryListModel(EntryList& list, QObject* parent)
        : QAbstractTableModel(parent), list_(list) {}

    // Takes the list's rows and order anew.
    void reload();
    // Reverses the order of the rows it holds, as a click on a column title does, without
    // reading the journal again.
    void toggleSortDirection();
    // Whether the rows shown are no longer the list's.
    bool isStale() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    EntryList& list_;
    std::vector<size_t> order_;
    bool hasColumns_ = false;
};

// Every journal line after the first, in three columns; a click on a column title reverses
// the order.
class EntryListView : public ViewWindow {
    Q_OBJECT
  public:
    explicit EntryListView(QWidget* parent);

    ScanSink* beginScan(const Settings& settings, MonthState& month, const DaysBook& days) override;
    void endScan() override;
    void scanFailed() override;

    QTreeView* listControl() const { return view_; }
    const EntryList& list() const { return list_; }

  signals:
    // A click on a column title reversed the rows.
    void resorted();

  protected:
    void zoomChanged() override { showColumns(); }

  private:
    // The columns' widths at the zoom, which a model reset sets back.
    void showColumns();

    EntryList list_;
    EntryListModel* model_ = nullptr;
    QTreeView* view_ = nullptr;
};

}  // namespace tallimer
