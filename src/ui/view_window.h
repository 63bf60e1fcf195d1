#pragma once

#include <QDate>
#include <QWidget>
#include <cstdint>

#include "model/days_book.h"
#include "model/month_state.h"
#include "model/settings.h"
#include "operations/rescan_journal.h"

namespace tallimer {

// The view below the toolbar: one of the day summary, the entry list and the report, made
// from its template (130 + ViewKind). A scan feeds it through the sink it hands out.
class ViewWindow : public QWidget {
    Q_OBJECT
  public:
    // A kind outside 0 to 2 makes the day summary.
    static ViewWindow* createForKind(int32_t viewKind, QWidget* parent);

    // Before a scan: the sink the scan hands its lines to (none for the day summary). `days`
    // is the Tracker's book, which the scan rereads first, so a sink may read it at the end.
    virtual ScanSink* beginScan(const Settings& settings, MonthState& month, const DaysBook& days);
    // After a scan that could open the journal: show what it gave.
    virtual void endScan() {}
    // After a scan that failed: a sink that had to give up what it held shows that.
    virtual void scanFailed() {}
    // The view at the window's zoom.
    void setZoom(int percent);

  signals:
    // A double click on a day of the list or the report: the window opens it for editing.
    void dayActivated(QDate date);

  protected:
    ViewWindow(int32_t kind, QWidget* parent);
    // What a view sizes itself beyond its template's controls, at the zoom now set.
    virtual void zoomChanged() {}
    int zoom() const { return zoom_; }

  private:
    int zoom_ = 100;
};

}  // namespace tallimer
