#include "ui/timesheet_dialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <utility>

#include "operations/timesheet_pdf.h"
#include "resources/string_table.h"
#include "ui/dialog_builder.h"
#include "ui/message_box.h"
#include "ui/modal_dialog.h"

namespace tallimer {

namespace {

QString ChooseWithDialog(QWidget* owner, const QString& suggested) {
    return ChooseFileToSave(owner, QStringLiteral("Save timesheet"),
                            QStringLiteral("PDF documents (*.pdf)"), suggested);
}

QPushButton* AddButton(QDialogButtonBox* buttons, const QString& text, const QString& name,
                       QDialogButtonBox::ButtonRole role) {
    QPushButton* button = buttons->addButton(text, role);
    button->setAccessibleName(name);
    return button;
}

}  // namespace

TimesheetDialog::TimesheetDialog(QDate month, MakeHtml makeHtml, QWidget* owner)
    : QDialog(owner), month_(month), makeHtml_(std::move(makeHtml)), chooseFile_(ChooseWithDialog) {
    setWindowTitle(QStringLiteral("Timesheet"));
    SetCloseBoxOnly(this);
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    const QString monthText = QLocale().toString(month, QStringLiteral("MMMM yyyy"));
    auto* monthLine = new QLabel(monthText, this);
    // A screen reader says what the line is and what it holds.
    monthLine->setAccessibleName(QStringLiteral("Month, ") + monthText);
    layout->addWidget(monthLine);
    auto* buttons = new QDialogButtonBox(this);
    save_ = AddButton(buttons, QStringLiteral("&Save PDF\u2026"), QStringLiteral("Save PDF"),
                      QDialogButtonBox::ActionRole);
    print_ = AddButton(buttons, QStringLiteral("&Print\u2026"), QStringLiteral("Print"),
                       QDialogButtonBox::ActionRole);
    close_ = AddButton(buttons, QStringLiteral("Close"), QStringLiteral("Close"),
                       QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    // Enter saves; Esc, Close and the close box close.
    save_->setDefault(true);
    save_->setFocus();

    connect(save_, &QPushButton::clicked, this, [this] { savePdf(); });
    connect(print_, &QPushButton::clicked, this, [this] { print(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString TimesheetDialog::suggestedFile() const {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
        .filePath(QStringLiteral("Timesheet-%1.pdf").arg(month_.toString(u"yyyy-MM")));
}

void TimesheetDialog::savePdf() {
    const QString path = chooseFile_(this, suggestedFile());
    if (path.isEmpty()) {
        return;  // none chosen
    }
    const std::optional<QString> html = makeHtml_();
    if (!html) {
        return;
    }
    if (const QString failure = SaveTimesheetPdf(*html, path); !failure.isEmpty()) {
        ShowMessage(this, LoadString(StringId::TimesheetNotSaved).arg(failure), MessageIcon::Stop);
    }
}

void TimesheetDialog::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(TimesheetPageLayout());
    printer.setDocName(QStringLiteral("Timesheet-%1").arg(month_.toString(u"yyyy-MM")));
    QPrintDialog dialog(&printer, this);
    if (ExecModal(dialog) != QDialog::Accepted) {
        return;
    }
    const std::optional<QString> html = makeHtml_();
    if (!html) {
        return;
    }
    PrintTimesheet(*html, printer);
    if (printer.printerState() == QPrinter::Error) {
        ShowMessage(this, StringId::TimesheetNotPrinted, MessageIcon::Stop);
    }
}

}  // namespace tallimer
