#include "ui/week_dialog.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <utility>

#include "ui/dialog_builder.h"
#include "ui/message_box.h"

namespace tallimer {

namespace {
// The fields' labels, Monday first, each with a key of its own ("&Holds from" has H).
constexpr const char* kLabels[] = {"&Monday", "&Tuesday",  "&Wednesday", "Th&ursday",
                                   "&Friday", "&Saturday", "Su&nday"};
}  // namespace

WeekDialog::WeekDialog(const WeekForm& form, Apply apply, QWidget* owner)
    : QDialog(owner), apply_(std::move(apply)) {
    setWindowTitle(QStringLiteral("Working week"));
    SetCloseBoxOnly(this);
    setModal(true);

    // Laid out, not placed: the fields grow with the font, at any scale factor, and keep the
    // theme's colours.
    auto* layout = new QFormLayout(this);
    for (size_t day = 0; day < targets_.size(); ++day) {
        const QString& name = WeekdayNames()[day];
        auto* edit = new QLineEdit(form.targets[day], this);
        edit->setAccessibleName(name);
        edit->setAccessibleDescription(QStringLiteral("Target as H:MM, 0:00 for no workday"));
        edit->setMaxLength(5);  // 24:00
        layout->addRow(QString::fromLatin1(kLabels[day]), edit);
        targets_[day] = edit;
    }
    from_ = new QDateEdit(form.from, this);
    from_->setCalendarPopup(true);
    from_->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    from_->setAccessibleName(QStringLiteral("Holds from"));
    layout->addRow(QStringLiteral("&Holds from"), from_);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons_->button(QDialogButtonBox::Ok)->setAccessibleName(QStringLiteral("OK"));
    buttons_->button(QDialogButtonBox::Cancel)->setAccessibleName(QStringLiteral("Cancel"));
    layout->addRow(buttons_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(buttons_, &QDialogButtonBox::accepted, this, [this] { confirm(); });
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

WeekForm WeekDialog::readForm() const {
    WeekForm form;
    for (size_t day = 0; day < targets_.size(); ++day) {
        form.targets[day] = targets_[day]->text();
    }
    form.from = from_->date();
    return form;
}

void WeekDialog::confirm() {
    const WeekPlanOf asked = PlanOf(readForm());
    if (!asked.plan) {
        ShowMessage(this, asked.refusal, MessageIcon::Stop);
        if (asked.field >= 0) {
            targets_[size_t(asked.field)]->setFocus();
            targets_[size_t(asked.field)]->selectAll();
        }
        return;
    }
    if (apply_ && !apply_(*asked.plan)) {
        return;
    }
    accept();
}

}  // namespace tallimer
