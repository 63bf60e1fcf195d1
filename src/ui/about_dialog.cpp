#include "ui/about_dialog.h"

#include <QPushButton>

#include "resources/string_table.h"
#include "ui/commands.h"
#include "ui/dialog_builder.h"
#include "ui/message_box.h"

namespace tallimer {

QPoint AboutDialogPosition(QSize dialog, QSize ownerClient) {
    return QPoint(qMax(0, (ownerClient.width() - dialog.width()) / 2),
                  qMax(0, (ownerClient.height() - dialog.height()) / 2));
}

AboutDialog::AboutDialog(std::function<bool()> exitCommand, QWidget* owner)
    : QDialog(owner), exitCommand_(std::move(exitCommand)) {
    BuildDialog(*FindDialogTemplate(IDD_ABOUT), this);
    setModal(true);
    // Enter presses the focused button ("Info" too, as on the handheld), else "Ende".
    if (auto* info = FindControlAs<QPushButton>(this, IDC_INFO)) {
        connect(info, &QPushButton::clicked, this, &AboutDialog::showKeysHelp);
    }
    if (auto* ende = FindControlAs<QPushButton>(this, IDC_ENDE)) {
        ende->setDefault(true);
        ende->setFocus();
        connect(ende, &QPushButton::clicked, this, &AboutDialog::exit);
    }
    if (owner != nullptr) {
        move(owner->mapToGlobal(AboutDialogPosition(size(), owner->size())));
    }
}

void AboutDialog::showKeysHelp() {
    ShowMessage(this,
                ShownMessage{LoadString(StringId::KeysHelp), LoadString(StringId::KeysHelpCaption),
                             MessageIcon::Information, MessageButtons::Ok});
}

void AboutDialog::exit() {
    // When the program ends, the dialog goes with its main window; otherwise it stays open.
    if (exitCommand_ && exitCommand_()) {
        done(QDialog::Accepted);
    }
}

}  // namespace tallimer
