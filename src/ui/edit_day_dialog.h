#pragma once

#include <QDate>
#include <QDialog>
#include <functional>
#include <optional>

#include "operations/edit_day.h"

class QDialogButtonBox;
class QPushButton;
class QTableWidget;

namespace tallimer {

// "Edit day…": the day's entries in a table (time, Start or Stop, project), rows added and
// deleted. OK checks the rows; rows that break a rule keep the dialog open with a message and
// everything typed. Rows as they were close it without a change; other rows go to `apply`,
// which tells whether the dialog closes. Esc and the close box cancel.
class EditDayDialog : public QDialog {
    Q_OBJECT
  public:
    using Apply = std::function<bool(const DayEntryRows&)>;
    EditDayDialog(QDate date, const DayEntryRows& rows, Apply apply, QWidget* owner);

    // The rows as typed; nullopt when a time is not one, `badRow` then naming its row.
    std::optional<DayEntryRows> readRows(int* badRow = nullptr) const;

    QTableWidget* table() const { return table_; }
    QPushButton* addButton() const { return add_; }
    QPushButton* deleteButton() const { return delete_; }
    QDialogButtonBox* buttons() const { return buttons_; }

  private:
    void appendRow(const DayEntryRow& row);
    // A new row after the last: the other kind, at its time, for its project.
    void addRow();
    void deleteRow();
    void confirm();

    DayEntryRows shown_;
    Apply apply_;
    QTableWidget* table_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* delete_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace tallimer
