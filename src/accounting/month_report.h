#pragma once

#include <QDate>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "accounting/report_tree.h"
#include "model/month_state.h"
#include "model/scan_sink.h"
#include "model/settings.h"

namespace tallimer {

// The monthly report: fed by the scan while the report view is shown, it keeps the month's
// accumulators in MonthState and builds the tree.
class MonthReport : public ScanSink {
  public:
    // `settings` is read at every step (balance, break, target); `month` is the scan's
    // MonthState, which this report fills (day table, tracked total, projects).
    MonthReport(const Settings& settings, MonthState& month) : settings_(settings), month_(month) {}

    void BeginReport(const DayState& day, const MonthState& month) override;
    void DayLine(int32_t entryCount, int32_t entryTime, std::string_view project) override;
    void MonthLine(std::string_view line, int32_t entryTime, std::string_view project) override;
    // Reads the device's local date (platform clock) for "at the beginning".
    void FinishReport(const DayState& day, const MonthState& month) override;

    const ReportTree& tree() const { return tree_; }

  private:
    const Settings& settings_;
    MonthState& month_;
    ReportTree tree_;
    int dayNode_ = ReportTree::kRoot;
    int monthNode_ = ReportTree::kRoot;
    int periodNode_ = ReportTree::kRoot;
    // A new record for a project first met; its index, or SIZE_MAX when memory ran out.
    size_t AddProject(std::string_view project);

    // The month's project totals by exact code-page bytes; the views stay valid for the scan.
    // MonthState's projects stand in the order first met, beside their bytes here.
    std::unordered_map<std::string_view, size_t> projectIndex_;
    // The project of the last month line: the next line usually has the same.
    size_t lastProjectIndex_ = size_t(-1);
    std::vector<std::string_view> projectBytes_;
};

}  // namespace tallimer
