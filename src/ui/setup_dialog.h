#pragma once

#include <QDialog>
#include <functional>

#include "operations/settings_store.h"
#include "operations/setup_form.h"

class QShowEvent;

namespace tallimer {

// The Setup dialog (template 144): shows the settings as texts and, on OK, takes them back,
// saves them and lets the owner refresh through `afterSave`. Esc and the close box cancel
// without reading anything.
class SetupDialog : public QDialog {
    Q_OBJECT
  public:
    SetupDialog(SettingsStore& store, std::function<void()> afterSave, QWidget* owner);

    // The fields as they stand.
    SetupForm readForm() const;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void fillForm(const SetupForm& form);
    void confirm();

    SettingsStore& store_;
    std::function<void()> afterSave_;
    QWidget* owner_;
};

}  // namespace tallimer
