#pragma once

#include <QDate>
#include <QHash>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "accounting/report_tree.h"
#include "base/bytes_hash.h"
#include "model/days_book.h"
#include "model/month_state.h"
#include "model/scan_sink.h"
#include "model/settings.h"

namespace tallimer {

// The monthly report: fed by the scan while the report view is shown, it keeps the month's
// accumulators in MonthState and builds the tree.
class MonthReport : public ScanSink {
  public:
    // `settings` is read at every step (balance, break, target); `month` is the scan's
    // MonthState, which this report fills (day table, tracked total, projects); `today` is the
    // device's local date, which decides "at the beginning" and up to which a workday without
    // entries is missing; `days`, when given, is read when the report is finished and names the
    // month's days off and missing workdays.
    MonthReport(const Settings& settings, MonthState& month, QDate today,
                const DaysBook* days = nullptr)
        : settings_(settings), month_(month), today_(today), days_(days) {}

    void BeginReport(const DayState& day) override;
    void DayLine(int32_t entryCount, int32_t entryTime, std::string_view project) override;
    void MonthLine(std::string_view line, int32_t entryTime, std::string_view project) override;
    bool TakesEveryLine() const override { return false; }
    void FinishReport(const DayState& day) override;

    const ReportTree& tree() const { return tree_; }

  private:
    const Settings& settings_;
    MonthState& month_;
    QDate today_;
    const DaysBook* days_;
    ReportTree tree_;
    int dayNode_ = ReportTree::kRoot;
    int monthNode_ = ReportTree::kRoot;
    int periodNode_ = ReportTree::kRoot;
    // A new record for a project first met; its index, or SIZE_MAX when memory ran out.
    size_t AddProject(std::string_view project);

    // The index in MonthState's projects of each project's exact bytes, and of its text: one
    // name spelled in the code page and in UTF-8 is one project.
    std::unordered_map<std::string, size_t, BytesHash, std::equal_to<>> projectIndex_;
    QHash<QString, size_t> textIndex_;
};

}  // namespace tallimer
