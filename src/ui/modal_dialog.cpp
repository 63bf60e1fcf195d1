#include "ui/modal_dialog.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>

namespace tallimer {

int ExecModal(QDialog& dialog) {
    QWidget* front = QApplication::activeModalWidget();
    if (front != nullptr && front != &dialog && dialog.parentWidget() != nullptr &&
        dialog.parentWidget() != front) {
        dialog.setParent(front, dialog.windowFlags());
    }
    // Without an owner (a box before the window exists) the dialog stays modal to the program.
    if (dialog.parentWidget() != nullptr) {
        dialog.setWindowModality(Qt::WindowModal);
    }
    return dialog.exec();
}

namespace {
QString ChooseFile(QWidget* owner, const QString& caption, const QString& filter,
                   const QString& suggested, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(owner, caption, suggested, filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    if (ExecModal(dialog) != QDialog::Accepted) {
        return {};
    }
    return dialog.selectedFiles().value(0);
}
}  // namespace

QString ChooseFileToOpen(QWidget* owner, const QString& caption, const QString& filter) {
    return ChooseFile(owner, caption, filter, {}, QFileDialog::AcceptOpen);
}

QString ChooseFileToSave(QWidget* owner, const QString& caption, const QString& filter,
                         const QString& suggested) {
    return ChooseFile(owner, caption, filter, suggested, QFileDialog::AcceptSave);
}

}  // namespace tallimer
