#include "ui/day_off_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLocale>
#include <QPushButton>
#include <utility>

#include "ui/dialog_builder.h"

namespace tallimer {

namespace {

// The entry panel's date form, so both fields read alike.
QDateEdit* MakeDateEdit(const QString& name, QWidget* parent) {
    auto* edit = new QDateEdit(parent);
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    edit->setAccessibleName(name);
    return edit;
}

}  // namespace

DayOffDialog::DayOffDialog(const DayOffForm& form, Apply apply, QWidget* owner)
    : QDialog(owner), apply_(std::move(apply)) {
    setWindowTitle(QStringLiteral("Day off"));
    SetCloseBoxOnly(this);
    setModal(true);

    kind_ = new QComboBox(this);
    kind_->setAccessibleName(QStringLiteral("Kind of day off"));
    for (const DayOffChoice& choice : DayOffChoices()) {
        kind_->addItem(choice.text);
    }
    half_ = new QCheckBox(QStringLiteral("Half day"), this);
    half_->setAccessibleName(QStringLiteral("Half day"));
    from_ = MakeDateEdit(QStringLiteral("From"), this);
    to_ = MakeDateEdit(QStringLiteral("Until"), this);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons_->button(QDialogButtonBox::Ok)->setAccessibleName(QStringLiteral("OK"));
    buttons_->button(QDialogButtonBox::Cancel)->setAccessibleName(QStringLiteral("Cancel"));

    // Laid out, not placed: the fields grow with the font, at any scale factor.
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("&Kind"), kind_);
    layout->addRow(QString(), half_);
    layout->addRow(QStringLiteral("&From"), from_);
    layout->addRow(QStringLiteral("&Until"), to_);
    layout->addRow(buttons_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    fillForm(form);
    followRules();
    connect(kind_, &QComboBox::currentIndexChanged, this, [this] { followRules(); });
    connect(from_, &QDateEdit::dateChanged, this, [this] { followRules(); });
    connect(buttons_, &QDialogButtonBox::accepted, this, [this] { confirm(); });
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

DayOffForm DayOffDialog::readForm() const {
    DayOffForm form;
    const int index = kind_->currentIndex();
    const std::vector<DayOffChoice>& choices = DayOffChoices();
    form.kind =
        index >= 0 && size_t(index) < choices.size() ? choices[size_t(index)].kind : std::nullopt;
    form.half = half_->isChecked();
    form.from = from_->date();
    form.to = to_->date();
    return form;
}

void DayOffDialog::fillForm(const DayOffForm& form) {
    const std::vector<DayOffChoice>& choices = DayOffChoices();
    for (size_t i = 0; i < choices.size(); ++i) {
        if (choices[i].kind == form.kind) {
            kind_->setCurrentIndex(int(i));
        }
    }
    half_->setChecked(form.half);
    from_->setDate(form.from);
    to_->setMinimumDate(form.from);
    to_->setDate(form.to);
}

void DayOffDialog::followRules() {
    // A later From moves To along with it.
    to_->setMinimumDate(from_->date());
    half_->setEnabled(HalfApplies(readForm()));
}

void DayOffDialog::confirm() {
    const std::optional<DayOffRequest> request = RequestOf(readForm());
    if (!request || (apply_ && !apply_(*request))) {
        return;
    }
    accept();
}

}  // namespace tallimer
