#pragma once

#include "accounting/day_summary.h"
#include "ui/view_window.h"

class QLabel;

namespace tallimer {

// The live day summary: debit, credit, presence and the flexitime balance, coloured.
class DaySummaryView : public ViewWindow {
    Q_OBJECT
  public:
    explicit DaySummaryView(QWidget* parent);

    void showSummary(const DaySummaryTexts& texts, const DaySummaryColours& colours);
    // Desktop only: the kind of the day off, below the balance; empty hides the line.
    void showDayOff(const QString& text);
    QLabel* valueLabel(int controlId) const;
    QLabel* dayOffLabel() const { return dayOff_; }

  private:
    QLabel* dayOff_ = nullptr;
};

}  // namespace tallimer
