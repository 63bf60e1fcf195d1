#include "ui/view_window.h"

#include "ui/commands.h"
#include "ui/day_summary_view.h"
#include "ui/dialog_builder.h"
#include "ui/entry_list_view.h"
#include "ui/report_view.h"
#include "ui/zoom.h"

namespace tallimer {

ViewWindow::ViewWindow(int32_t kind, QWidget* parent) : QWidget(parent) {
    BuildDialog(*FindDialogTemplate(IDD_VIEW_DAY + kind), this);
}

void ViewWindow::setZoom(int percent) {
    zoom_ = percent;
    ZoomWidgets(this, percent);
    zoomChanged();
}

ViewWindow* ViewWindow::createForKind(int32_t viewKind, QWidget* parent) {
    switch (viewKind) {
        case ViewEntryList:
            return new EntryListView(parent);
        case ViewReport:
            return new ReportView(parent);
        default:
            return new DaySummaryView(parent);
    }
}

ScanSink* ViewWindow::beginScan(const Settings& /*settings*/, MonthState& /*month*/,
                                const DaysBook& /*days*/) {
    return nullptr;
}

}  // namespace tallimer
