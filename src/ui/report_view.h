#pragma once

#include <memory>

#include "accounting/month_report.h"
#include "ui/view_window.h"

class QTreeWidget;

namespace tallimer {

// The monthly report as a tree: rebuilt from nothing by every scan.
class ReportView : public ViewWindow {
    Q_OBJECT
  public:
    explicit ReportView(QWidget* parent);
    ~ReportView() override;

    // The report names the month's days off and missing workdays from `days`, as
    // tallimer-report's does.
    ScanSink* beginScan(const Settings& settings, MonthState& month, const DaysBook& days) override;
    void endScan() override;

    QTreeWidget* treeControl() const { return tree_; }

  private:
    std::unique_ptr<MonthReport> report_;
    QTreeWidget* tree_ = nullptr;
};

}  // namespace tallimer
