#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "operations/week_form.h"

class QDateEdit;
class QDialogButtonBox;
class QLineEdit;

namespace tallimer {

// "Working week…": a target for each weekday, Monday first, holding from a date on. OK hands
// the plan to `apply`, which tells whether it is done; a target that is no time, or a plan that
// could not be written, keeps the dialog open with its fields as typed. Esc and the close box
// cancel.
class WeekDialog : public QDialog {
    Q_OBJECT
  public:
    using Apply = std::function<bool(const WeekPlan&)>;
    WeekDialog(const WeekForm& form, Apply apply, QWidget* owner);

    // The fields as they stand.
    WeekForm readForm() const;

    QLineEdit* targetEdit(size_t weekday) const { return targets_.at(weekday); }
    QDateEdit* fromEdit() const { return from_; }
    QDialogButtonBox* buttons() const { return buttons_; }

  private:
    void confirm();

    Apply apply_;
    std::array<QLineEdit*, 7> targets_{};
    QDateEdit* from_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace tallimer
