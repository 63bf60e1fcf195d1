#include "ui/edit_day_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>
#include <utility>

#include "journal/journal_line.h"
#include "operations/outcome_messages.h"
#include "resources/string_table.h"
#include "ui/dialog_builder.h"
#include "ui/message_box.h"

namespace tallimer {

namespace {

enum Column { TimeColumn, KindColumn, ProjectColumn };
// As Save Entry takes the project box's text.
constexpr int kProjectLimit = 79;

// The project's editor takes no more than a Save would keep.
class ProjectDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            line->setMaxLength(kProjectLimit);
            line->setAccessibleName(QStringLiteral("Project"));
        }
        return editor;
    }
};

QPushButton* MakeButton(const QString& text, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setAccessibleName(name);
    button->setAutoDefault(false);  // Enter means OK
    return button;
}

}  // namespace

EditDayDialog::EditDayDialog(QDate date, const DayEntryRows& rows, Apply apply, QWidget* owner)
    : QDialog(owner), apply_(std::move(apply)) {
    setWindowTitle(QStringLiteral("Edit day"));
    SetCloseBoxOnly(this);
    setModal(true);

    auto* title = new QLabel(QStringLiteral("Entries of %1").arg(SelectedDateText(date)), this);
    table_ = new QTableWidget(0, 3, this);
    table_->setAccessibleName(QStringLiteral("Entries of the day"));
    title->setBuddy(table_);
    table_->setHorizontalHeaderLabels(
        {QStringLiteral("Time"), QStringLiteral("Start/Stop"), QStringLiteral("Project")});
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->verticalHeader()->setVisible(false);
    table_->horizontalHeader()->setSectionResizeMode(TimeColumn, QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(KindColumn, QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setItemDelegateForColumn(ProjectColumn, new ProjectDelegate(table_));
    for (const DayEntryRow& row : rows) {
        appendRow(row);
    }
    // The rows as shown (a project cut as a Save would cut it): OK on them changes nothing.
    shown_ = readRows().value_or(rows);
    add_ = MakeButton(QStringLiteral("&Add entry"), QStringLiteral("Add entry"), this);
    delete_ = MakeButton(QStringLiteral("&Delete entry"), QStringLiteral("Delete entry"), this);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons_->button(QDialogButtonBox::Ok)->setAccessibleName(QStringLiteral("OK"));
    buttons_->button(QDialogButtonBox::Cancel)->setAccessibleName(QStringLiteral("Cancel"));

    // Laid out, not placed: the table and buttons grow with the font, at any scale factor.
    auto* rowButtons = new QHBoxLayout;
    rowButtons->addWidget(add_);
    rowButtons->addWidget(delete_);
    rowButtons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(table_);
    layout->addLayout(rowButtons);
    layout->addWidget(buttons_);
    table_->setMinimumWidth(table_->fontMetrics().averageCharWidth() * 48);

    connect(add_, &QPushButton::clicked, this, [this] { addRow(); });
    connect(delete_, &QPushButton::clicked, this, [this] { deleteRow(); });
    connect(buttons_, &QDialogButtonBox::accepted, this, [this] { confirm(); });
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void EditDayDialog::appendRow(const DayEntryRow& row) {
    const int at = table_->rowCount();
    table_->insertRow(at);
    table_->setItem(at, TimeColumn, new QTableWidgetItem(EntryTimeText(row.time)));
    auto* kind = new QComboBox(table_);
    kind->addItems({QStringLiteral("Start"), QStringLiteral("Stop")});
    kind->setCurrentIndex(row.stop ? 1 : 0);
    kind->setAccessibleName(QStringLiteral("Start or Stop"));
    table_->setCellWidget(at, KindColumn, kind);
    table_->setItem(at, ProjectColumn, new QTableWidgetItem(row.project.left(kProjectLimit)));
}

std::optional<DayEntryRows> EditDayDialog::readRows(int* badRow) const {
    DayEntryRows rows;
    for (int r = 0; r < table_->rowCount(); ++r) {
        const QTableWidgetItem* time = table_->item(r, TimeColumn);
        const std::optional<int32_t> minutes =
            EntryTimeOfText(time != nullptr ? time->text() : QString());
        if (!minutes) {
            if (badRow != nullptr) {
                *badRow = r;
            }
            return std::nullopt;
        }
        const auto* kind = qobject_cast<const QComboBox*>(table_->cellWidget(r, KindColumn));
        const QTableWidgetItem* project = table_->item(r, ProjectColumn);
        rows.push_back({*minutes, kind != nullptr && kind->currentIndex() == 1,
                        project != nullptr ? project->text() : QString()});
    }
    return rows;
}

void EditDayDialog::addRow() {
    DayEntryRow row;
    if (const std::optional<DayEntryRows> rows = readRows(); rows && !rows->empty()) {
        row = {rows->back().time, !rows->back().stop, rows->back().project};
    }
    appendRow(row);
    table_->setCurrentCell(table_->rowCount() - 1, TimeColumn);
    table_->setFocus();
}

void EditDayDialog::deleteRow() {
    const int row = table_->currentRow();
    if (row >= 0) {
        table_->removeRow(row);
    }
}

void EditDayDialog::confirm() {
    // What is being typed in a cell counts too.
    if (QWidget* editor = table_->focusWidget(); editor != nullptr && editor != table_) {
        table_->setFocus();
    }
    int badRow = 0;
    const std::optional<DayEntryRows> rows = readRows(&badRow);
    if (!rows) {
        table_->setCurrentCell(badRow, TimeColumn);
        ShowMessage(this, StringId::EditDayBadTime, MessageIcon::Stop);
        return;
    }
    if (const std::optional<EditDayOutcome> refusal = RowsRefusal(*rows)) {
        ShowMessage(this, MessageOf(*refusal), MessageIcon::Stop);
        return;
    }
    if (*rows == shown_ || (apply_ && apply_(*rows))) {
        accept();
    }
}

}  // namespace tallimer
