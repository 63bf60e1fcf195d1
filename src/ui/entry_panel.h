#pragma once

#include <QDate>
#include <QWidget>

#include "accounting/time_lists.h"
#include "operations/tracker.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QListWidget;

namespace tallimer {

// The strip at the top: date, status, hour and minute lists, project box.
class EntryPanel : public QWidget {
    Q_OBJECT
  public:
    explicit EntryPanel(QWidget* parent);

    QDateEdit* date() const { return date_; }
    QListWidget* hourList() const { return hour_; }
    QListWidget* minuteList() const { return minute_; }
    QComboBox* project() const { return project_; }
    QLabel* status() const { return status_; }

    QDate selectedDate() const;
    // Sets the picker without announcing a change (as the program's own setting does).
    void setSelectedDate(QDate date);

    // Empties and refills both lists for the minute unit (one of 0 or less fills as 1).
    void fillTimeLists(int32_t minuteUnit);
    // The panel at the window's zoom; a time list's item fills the list at any zoom.
    void setZoom(int percent);
    // Selects the time in the lists, or, while one of them has the focus, returns their
    // selection instead and leaves them.
    TimeRecord syncTimeLists(TimeRecord time, int32_t minuteUnit);
    // Selects the time in the lists wherever the focus is.
    void presetTimeLists(TimeRecord time, int32_t minuteUnit);
    // The Enter character: the focus walks hour, minute, project, date, hour.
    void moveFocusToNextField();

    // What Save Entry reads.
    EntryPanelInput readInput() const;
    // The status text naming the entry the next Save writes.
    void setStatus(DayStatus status);
    // The project box and the status as a read of the journal leaves them.
    void showSnapshot(const Snapshot& snapshot);

  signals:
    // The user picked another date in the picker.
    void dateChanged(QDate date);

  protected:
    // The wheel over a time list moves its selection, not only its view.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QDateEdit* date_ = nullptr;
    QListWidget* hour_ = nullptr;
    QListWidget* minute_ = nullptr;
    QComboBox* project_ = nullptr;
    QLabel* status_ = nullptr;
    int wheelRemainder_ = 0;  // eighths of a degree not yet a whole step
    int zoom_ = 100;
};

}  // namespace tallimer
