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
    QLabel* valueLabel(int controlId) const;
};

}  // namespace tallimer
