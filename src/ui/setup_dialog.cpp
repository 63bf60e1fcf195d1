#include "ui/setup_dialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShowEvent>
#include <utility>

#include "operations/setup_fields.h"
#include "resources/string_table.h"
#include "ui/commands.h"
#include "ui/dialog_builder.h"
#include "ui/message_box.h"

namespace tallimer {

namespace {

// Control ids of template 144.
constexpr int kOkButton = 1;
constexpr int kBreakPerDayEdit = 1023;
constexpr int kWeeklyHoursEdit = 1024;
constexpr int kBalanceEdit = 1025;
constexpr int kMinuteUnitEdit = 1026;
constexpr int kDirectoryEdit = 1027;
constexpr int kMinimumEdit = 1030;
constexpr int kMaximumEdit = 1031;
constexpr int kCutOffEdit = 1032;
constexpr int kAutomaticModeBox = 1011;

int EditId(SetupField field) {
    switch (field) {
        case SetupField::BreakPerDay:
            return kBreakPerDayEdit;
        case SetupField::WeeklyHours:
            return kWeeklyHoursEdit;
        case SetupField::Balance:
            return kBalanceEdit;
        case SetupField::MinuteUnit:
            return kMinuteUnitEdit;
        case SetupField::Minimum:
            return kMinimumEdit;
        case SetupField::Maximum:
            return kMaximumEdit;
        case SetupField::CutOff:
            break;
    }
    return kCutOffEdit;
}

QString EditText(const QWidget* dialog, int id) {
    const auto* edit = FindControlAs<QLineEdit>(dialog, id);
    return edit != nullptr ? edit->text() : QString();
}

void SetEditText(const QWidget* dialog, int id, const QString& text) {
    if (auto* edit = FindControlAs<QLineEdit>(dialog, id)) {
        edit->setText(text);
    }
}

}  // namespace

SetupDialog::SetupDialog(Tracker& tracker, std::function<ScanSink*()> beginScan,
                         AfterSave afterSave, QWidget* owner)
    : QDialog(owner),
      tracker_(tracker),
      beginScan_(std::move(beginScan)),
      afterSave_(std::move(afterSave)),
      owner_(owner) {
    BuildDialog(*FindDialogTemplate(IDD_SETUP), this);
    setModal(true);
    opened_ = SetupFormFor(tracker_.store());
    fillForm(opened_);
    // A key that would make a field unreadable does nothing, so no typo is stored as 0.
    for (const SetupField field : kSetupFields) {
        if (auto* edit = FindControlAs<QLineEdit>(this, EditId(field))) {
            edit->setValidator(new QRegularExpressionValidator(
                SetupFieldPattern(field, FieldText(opened_, field)), edit));
        }
    }
    if (auto* ok = FindControlAs<QPushButton>(this, kOkButton)) {
        ok->setDefault(true);
        connect(ok, &QPushButton::clicked, this, [this] { confirm(); });
    }
}

SetupForm SetupDialog::readForm() const {
    SetupForm form;
    form.breakPerDay = EditText(this, kBreakPerDayEdit);
    form.weeklyHours = EditText(this, kWeeklyHoursEdit);
    form.balance = EditText(this, kBalanceEdit);
    form.minuteUnit = EditText(this, kMinuteUnitEdit);
    form.directory = EditText(this, kDirectoryEdit);
    form.minimum = EditText(this, kMinimumEdit);
    form.maximum = EditText(this, kMaximumEdit);
    form.cutOff = EditText(this, kCutOffEdit);
    const auto* box = FindControlAs<QCheckBox>(this, kAutomaticModeBox);
    form.automaticMode = box != nullptr && box->isChecked();
    return form;
}

void SetupDialog::fillForm(const SetupForm& form) {
    SetEditText(this, kBreakPerDayEdit, form.breakPerDay);
    SetEditText(this, kWeeklyHoursEdit, form.weeklyHours);
    SetEditText(this, kBalanceEdit, form.balance);
    SetEditText(this, kMinuteUnitEdit, form.minuteUnit);
    SetEditText(this, kDirectoryEdit, form.directory);
    SetEditText(this, kMinimumEdit, form.minimum);
    SetEditText(this, kMaximumEdit, form.maximum);
    SetEditText(this, kCutOffEdit, form.cutOff);
    if (auto* box = FindControlAs<QCheckBox>(this, kAutomaticModeBox)) {
        box->setChecked(form.automaticMode);
    }
}

// Placed when shown, so the frame the platform gives the dialog counts in its size; the
// corner of the owner's client area stands for the handheld's screen corner.
void SetupDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (owner_ == nullptr || event->spontaneous()) {
        return;
    }
    const QPoint position = SetupDialogPosition(frameGeometry().size(), owner_->size());
    move(owner_->mapToGlobal(position));
}

void SetupDialog::confirm() {
    // A field left empty or holding a lone sign has no value yet: nothing is stored, and the
    // dialog stays open on that field with what was typed.
    const SetupForm form = readForm();
    if (const std::optional<SetupField> field = FirstFieldWithoutValue(form, opened_)) {
        auto* edit = FindControlAs<QLineEdit>(this, EditId(*field));
        if (edit != nullptr) {
            edit->setFocus();
            edit->selectAll();
        }
        ShowMessage(this, StringId::SetupFieldWithoutValue, MessageIcon::Stop);
        return;
    }
    ScanSink* const view = beginScan_ ? beginScan_() : nullptr;
    const Done<SetupOutcome> done =
        tracker_.applySetup(form, ScanSinks(&view, view != nullptr ? 1 : 0));
    // The settings stay in effect for this run either way; a save that failed is said, as
    // the next start would otherwise find the old ones without a word.
    if (done.outcome == SetupOutcome::NotSaved) {
        ShowMessage(owner_, StringId::DatabaseError, MessageIcon::Stop);
    }
    if (afterSave_) {
        afterSave_(done);
    }
    accept();
}

}  // namespace tallimer
