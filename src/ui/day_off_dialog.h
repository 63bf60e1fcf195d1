#pragma once

#include <QDialog>
#include <functional>

#include "operations/day_off_form.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QDialogButtonBox;

namespace tallimer {

// "Day off…": marks the dates from From to To as a day off of a kind, whole or half, or
// clears them. OK hands the request to `apply`, which tells whether it is done; a request that
// changed nothing because it failed keeps the dialog open with its fields, so nothing typed
// is lost. Esc and the close box cancel.
class DayOffDialog : public QDialog {
    Q_OBJECT
  public:
    using Apply = std::function<bool(const DayOffRequest&)>;
    DayOffDialog(const DayOffForm& form, Apply apply, QWidget* owner);

    // The fields as they stand.
    DayOffForm readForm() const;

    QComboBox* kindBox() const { return kind_; }
    QCheckBox* halfBox() const { return half_; }
    QDateEdit* fromEdit() const { return from_; }
    QDateEdit* toEdit() const { return to_; }
    QDialogButtonBox* buttons() const { return buttons_; }

  private:
    void fillForm(const DayOffForm& form);
    // To never goes before From, and a clear takes whole days.
    void followRules();
    void confirm();

    Apply apply_;
    QComboBox* kind_ = nullptr;
    QCheckBox* half_ = nullptr;
    QDateEdit* from_ = nullptr;
    QDateEdit* to_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace tallimer
