#pragma once

#include <QDialog>
#include <functional>

#include "operations/tracker.h"

class QShowEvent;

namespace tallimer {

// The Setup dialog (template 144): shows the settings as texts and, on OK, hands them to the
// tracker, which saves them and reads the journal (into the sink `beginScan` gives, if any);
// the owner then shows the outcome through `afterSave`. Esc and the close box cancel without
// reading anything.
class SetupDialog : public QDialog {
    Q_OBJECT
  public:
    using AfterSave = std::function<void(const Done<SetupOutcome>&)>;
    SetupDialog(Tracker& tracker, std::function<ScanSink*()> beginScan, AfterSave afterSave,
                QWidget* owner);

    // The fields as they stand.
    SetupForm readForm() const;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void fillForm(const SetupForm& form);
    void confirm();

    Tracker& tracker_;
    std::function<ScanSink*()> beginScan_;
    AfterSave afterSave_;
    QWidget* owner_;
    SetupForm opened_;  // the texts the fields opened with
};

}  // namespace tallimer
