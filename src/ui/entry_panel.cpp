#include "ui/entry_panel.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QWheelEvent>

#include "base/leading_integer.h"
#include "resources/string_table.h"
#include "ui/commands.h"
#include "ui/dialog_builder.h"
#include "ui/zoom.h"

namespace tallimer {

namespace {
constexpr int kItemHeight = 24;
constexpr int kProjectLimit = 79;

QString SelectedText(const QListWidget* list) {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? QString() : selected.front()->text();
}

void SelectItem(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    if (!found.isEmpty()) {
        list->setCurrentItem(found.front());
        list->scrollToItem(found.front(), QAbstractItemView::PositionAtTop);
    }
}

// One item fills the list: the list shows the selected item and nothing else.
QSize ItemSize(const QListWidget* list, int zoom) {
    // The list's inside, from its own geometry: the viewport follows only once the list shows.
    return QSize(0, qMin(Zoomed(kItemHeight, zoom), list->contentsRect().height()));
}

void Refill(QListWidget* list, const QStringList& items, int zoom) {
    list->clear();
    for (const QString& text : items) {
        auto* item = new QListWidgetItem(text, list);
        item->setSizeHint(ItemSize(list, zoom));
        item->setTextAlignment(Qt::AlignCenter);
    }
    list->setCurrentRow(-1);
    list->clearSelection();
}
}  // namespace

EntryPanel::EntryPanel(QWidget* parent) : QWidget(parent) {
    BuildDialog(*FindDialogTemplate(IDD_ENTRY_PANEL), this);
    date_ = FindControlAs<QDateEdit>(this, IDC_DATE);
    hour_ = FindControlAs<QListWidget>(this, IDC_HOUR);
    minute_ = FindControlAs<QListWidget>(this, IDC_MINUTE);
    project_ = FindControlAs<QComboBox>(this, IDC_PROJECT);
    status_ = FindControlAs<QLabel>(this, IDC_STATUS);

    for (QListWidget* list : {hour_, minute_}) {
        list->viewport()->installEventFilter(this);
        list->setTextElideMode(Qt::ElideNone);
        // The list with the focus keeps the user's choice instead of following the clock,
        // so it shows the focus plainly: a thick black frame on the window's white.
        list->setStyleSheet(
            QStringLiteral("QListWidget { border: 1px solid #a0a0a0; padding: 1px; }"
                           "QListWidget:focus { border: 2px solid black; padding: 0px; }"
                           "QListWidget::item { padding: 0px; margin: 0px; }"));
    }
    // The picker shows a numeric short date, which fits its narrow field.
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (format.contains(QStringLiteral("MMM"))) {
        format = QStringLiteral("dd.MM.yy");
    }
    date_->setDisplayFormat(format);
    project_->lineEdit()->setMaxLength(kProjectLimit);
    // The colon lies under the two lists, which are drawn over it.
    if (QWidget* colon = FindControl(this, IDC_COLON)) {
        colon->lower();
    }
    connect(date_, &QDateEdit::dateChanged, this, &EntryPanel::dateChanged);
    // For a screen reader: the fields' names (the project box takes its label's), and Tab goes
    // round as the Action key does.
    setAccessibleName(QStringLiteral("Entry"));
    date_->setAccessibleName(QStringLiteral("Date"));
    hour_->setAccessibleName(QStringLiteral("Hour"));
    minute_->setAccessibleName(QStringLiteral("Minute"));
    setTabOrder(date_, hour_);
    setTabOrder(hour_, minute_);
    setTabOrder(minute_, project_);
}

bool EntryPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Wheel) {
        return QWidget::eventFilter(watched, event);
    }
    QListWidget* list = watched == hour_->viewport() ? hour_ : minute_;
    // One step is 120 eighths of a degree; fine-grained wheels send parts of it. Up goes to
    // the item above, as the rocker's Up does.
    wheelRemainder_ += static_cast<QWheelEvent*>(event)->angleDelta().y();
    const int steps = wheelRemainder_ / QWheelEvent::DefaultDeltasPerStep;
    wheelRemainder_ %= QWheelEvent::DefaultDeltasPerStep;
    if (steps != 0 && list->count() > 0) {
        const int row = qBound(0, list->currentRow() - steps, list->count() - 1);
        list->setCurrentRow(row);
        list->scrollToItem(list->item(row), QAbstractItemView::PositionAtTop);
    }
    return true;
}

QDate EntryPanel::selectedDate() const {
    return date_->date();
}

void EntryPanel::setSelectedDate(QDate date) {
    const QSignalBlocker quiet(date_);
    date_->setDate(date);
}

void EntryPanel::fillTimeLists(int32_t minuteUnit) {
    Refill(minute_, MinuteListItems(minuteUnit), zoom_);
    Refill(hour_, HourListItems(), zoom_);
}

void EntryPanel::setZoom(int percent) {
    zoom_ = percent;
    ZoomWidgets(this, percent);
    for (QListWidget* list : {hour_, minute_}) {
        for (int row = 0; row < list->count(); ++row) {
            list->item(row)->setSizeHint(ItemSize(list, percent));
        }
        if (QListWidgetItem* selected = list->currentItem()) {
            list->scrollToItem(selected, QAbstractItemView::PositionAtTop);
        }
    }
}

TimeRecord EntryPanel::syncTimeLists(TimeRecord time, int32_t minuteUnit) {
    if (hour_->hasFocus() || minute_->hasFocus()) {
        time.hour = static_cast<uint16_t>(LeadingInteger(SelectedText(hour_)));
        time.minute = static_cast<uint16_t>(LeadingInteger(SelectedText(minute_)));
        return time;
    }
    const TimeListSelection selection = SelectTimeInLists(time, minuteUnit);
    if (selection.minuteText) {
        SelectItem(minute_, *selection.minuteText);
    }
    SelectItem(hour_, selection.hourText);
    return selection.snapped;
}

void EntryPanel::presetTimeLists(TimeRecord time, int32_t minuteUnit) {
    // With the focus away from the lists they select the time instead of reading back.
    QWidget* hadFocus = QApplication::focusWidget();
    project_->setFocus();
    syncTimeLists(time, minuteUnit);
    if (hadFocus != nullptr) {
        hadFocus->setFocus();
    }
}

void EntryPanel::moveFocusToNextField() {
    // The control that has the focus (the project box's text field counts as the box); views
    // have controls with the same ids, so only the panel is searched.
    int focused = -1;
    QWidget* w = QApplication::focusWidget();
    if (w != nullptr && isAncestorOf(w)) {
        for (; w != this && focused < 0; w = w->parentWidget()) {
            focused = ControlId(w);
        }
    }
    int next = IDC_HOUR;
    switch (focused) {
        case IDC_HOUR:
            next = IDC_MINUTE;
            break;
        case IDC_MINUTE:
            next = IDC_PROJECT;
            break;
        case IDC_PROJECT:
            next = IDC_DATE;
            break;
        default:
            break;
    }
    if (QWidget* control = FindControl(this, next)) {
        control->setFocus(Qt::OtherFocusReason);
    }
}

EntryPanelInput EntryPanel::readInput() const {
    EntryPanelInput input;
    input.date = date_->date();
    input.hourText = SelectedText(hour_);
    input.minuteText = SelectedText(minute_);
    input.projectText = project_->currentText();
    for (int i = 0; i < project_->count(); ++i) {
        input.projects.append(project_->itemText(i));
    }
    return input;
}

void EntryPanel::setStatus(DayStatus status) {
    status_->setText(
        LoadString(status == DayStatus::Stop ? StringId::StatusStop : StringId::StatusStart));
}

void EntryPanel::showSnapshot(const Snapshot& snapshot) {
    project_->clear();
    project_->addItems(snapshot.projects);
    project_->setEditText(snapshot.projectEditText);
    setStatus(snapshot.status);
}

}  // namespace tallimer
