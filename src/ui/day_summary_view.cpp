#include "ui/day_summary_view.h"

#include <QLabel>
#include <algorithm>

#include "ui/commands.h"
#include "ui/dialog_builder.h"

namespace tallimer {

namespace {

void SetText(QLabel* label, const QString& text) {
    if (label != nullptr) {
        label->setText(text);
    }
}

// The colour answer as the label's palette: its text colour over the brush.
void Colour(QLabel* label, const SummaryColour& colour) {
    if (label == nullptr) {
        return;
    }
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText,
                     QColor(colour.text.red, colour.text.green, colour.text.blue));
    palette.setColor(QPalette::Window,
                     colour.brush == SummaryBrush::Black ? Qt::black : QColor(192, 192, 192));
    label->setPalette(palette);
    label->setAutoFillBackground(true);
}

// The value as a screen reader gives it: its caption first, as the eye takes it from beside
// the box, and the sign as a word ("Credit, minus 01:20").
void NameValue(QLabel* label, const QString& caption, const QString& text) {
    if (label == nullptr) {
        return;
    }
    QString value = text.trimmed();
    if (value.startsWith(QLatin1String("+ "))) {
        value = QStringLiteral("plus ") + value.mid(2);
    } else if (value.startsWith(QLatin1String("- "))) {
        value = QStringLiteral("minus ") + value.mid(2);
    } else if (value.startsWith(QLatin1String("= "))) {
        value = value.mid(2) + QStringLiteral(", no period open");  // the closed day's marker
    }
    label->setAccessibleName(caption + QStringLiteral(", ") + value);
}

}  // namespace

DaySummaryView::DaySummaryView(QWidget* parent) : ViewWindow(ViewDaySummary, parent) {
    // Not part of the template, whose texts stay as they are: a line of the template's font
    // below the "Flexitime in total" box, the view grown to hold it.
    const QRect line = DialogUnitsToPixels(font(), 8, 80, 90, 10);
    dayOff_ = new QLabel(this);
    dayOff_->setTextFormat(Qt::PlainText);
    dayOff_->setAlignment(Qt::AlignCenter);
    dayOff_->setGeometry(line);
    dayOff_->hide();
    setFixedHeight(std::max(height(), line.bottom() + 1));
    setAccessibleName(QStringLiteral("Day summary"));
}

QLabel* DaySummaryView::valueLabel(int controlId) const {
    return FindControlAs<QLabel>(this, controlId);
}

void DaySummaryView::showSummary(const DaySummaryTexts& texts, const DaySummaryColours& colours) {
    SetText(valueLabel(IDC_SUMMARY_DEBIT), texts.debit);
    SetText(valueLabel(IDC_SUMMARY_CREDIT), texts.credit);
    SetText(valueLabel(IDC_SUMMARY_PRESENCE), texts.presence);
    SetText(valueLabel(IDC_SUMMARY_FLEXITIME), texts.flexitime);
    NameValue(valueLabel(IDC_SUMMARY_DEBIT), QStringLiteral("Debit"), texts.debit);
    NameValue(valueLabel(IDC_SUMMARY_CREDIT), QStringLiteral("Credit"), texts.credit);
    NameValue(valueLabel(IDC_SUMMARY_PRESENCE), QStringLiteral("Presence"), texts.presence);
    NameValue(valueLabel(IDC_SUMMARY_FLEXITIME), QStringLiteral("Flexitime in total"),
              texts.flexitime);
    Colour(valueLabel(IDC_SUMMARY_CREDIT), colours.credit);
    Colour(valueLabel(IDC_SUMMARY_PRESENCE), colours.presence);
    Colour(valueLabel(IDC_SUMMARY_FLEXITIME), colours.flexitime);
    repaint();
}

void DaySummaryView::showDayOff(const QString& text) {
    dayOff_->setText(text);
    NameValue(dayOff_, QStringLiteral("Day off"), text);
    dayOff_->setVisible(!text.isEmpty());
}

}  // namespace tallimer
