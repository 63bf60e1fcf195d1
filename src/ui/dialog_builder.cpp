#include "ui/dialog_builder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QTreeView>
#include <QTreeWidget>
#include <cstdint>
#include <limits>

#include "platform/clock.h"

namespace tallimer {
namespace {

constexpr char kControlIdProperty[] = "controlId";

// a * b / c rounded to the nearest integer, halves away from zero; c > 0.
int MulDiv(int a, int b, int c) {
    const std::int64_t product = std::int64_t{a} * b;
    const std::int64_t half = c / 2;
    const std::int64_t result = product >= 0 ? (product + half) / c : (product - half) / c;
    if (result > std::numeric_limits<int>::max()) {
        return std::numeric_limits<int>::max();
    }
    if (result < std::numeric_limits<int>::min()) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(result);
}

bool Has(const ControlTemplate& control, unsigned style) {
    return (control.style & style) != 0;
}

Qt::Alignment HorizontalAlignment(const ControlTemplate& control) {
    if (Has(control, ControlStyle::AlignRight)) {
        return Qt::AlignRight;
    }
    if (Has(control, ControlStyle::AlignCenter)) {
        return Qt::AlignHCenter;
    }
    return Qt::AlignLeft;
}

QFrame::Shape FrameShape(const ControlTemplate& control, QFrame::Shape bordered) {
    return Has(control, ControlStyle::Border) ? bordered : QFrame::NoFrame;
}

// Static texts wrap and sit at the top of their rectangle; "&" is never a mnemonic here. A
// bordered text is a value in a box: one line in the middle, and a black border whatever
// colour the text takes.
class BoxedLabel : public QLabel {
  public:
    explicit BoxedLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
        setContentsMargins(1, 1, 1, 1);
    }

  protected:
    void paintEvent(QPaintEvent* event) override {
        QLabel::paintEvent(event);
        QPainter painter(this);
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

QLabel* MakeLabel(const ControlTemplate& control, QWidget* parent) {
    const bool boxed = Has(control, ControlStyle::Border);
    QLabel* label = boxed ? new BoxedLabel(control.text, parent) : new QLabel(control.text, parent);
    label->setTextFormat(Qt::PlainText);
    if (boxed) {
        label->setAlignment(HorizontalAlignment(control) | Qt::AlignVCenter);
    } else {
        label->setWordWrap(true);
        label->setAlignment(HorizontalAlignment(control) | Qt::AlignTop);
    }
    return label;
}

QLabel* MakeIcon(const QRect& rect, QWidget* parent) {
    auto* label = new QLabel(parent);
    // The drawing that suits the screen's scale.
    label->setPixmap(ProgramIcon().pixmap(rect.size(), label->devicePixelRatioF()));
    label->setAccessibleName(QStringLiteral("Program icon"));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QDateEdit* MakeDatePicker(QWidget* parent) {
    auto* picker = new QDateEdit(platform::LocalNow().date(), parent);
    picker->setCalendarPopup(true);
    picker->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    return picker;
}

// The hour and minute lists show one item; scroll bars would leave no room for it.
QListWidget* MakeListBox(const ControlTemplate& control, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setFrameShape(FrameShape(control, QFrame::StyledPanel));
    return list;
}

// The template's height includes the drop-down list; the closed box takes its own height.
QComboBox* MakeComboBox(QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    return combo;
}

QLineEdit* MakeEdit(const ControlTemplate& control, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setFrame(Has(control, ControlStyle::Border));
    edit->setAlignment(HorizontalAlignment(control) | Qt::AlignVCenter);
    return edit;
}

QCheckBox* MakeCheckBox(const ControlTemplate& control, QWidget* parent) {
    auto* box = new QCheckBox(control.text, parent);
    if (Has(control, ControlStyle::TextLeft)) {
        box->setLayoutDirection(Qt::RightToLeft);
    }
    return box;
}

QTreeView* MakeListView(const ControlTemplate& control, QWidget* parent) {
    auto* view = new QTreeView(parent);
    view->setRootIsDecorated(false);
    view->setItemsExpandable(false);
    view->setUniformRowHeights(true);
    view->header()->setSectionsClickable(true);
    view->setFrameShape(FrameShape(control, QFrame::StyledPanel));
    return view;
}

QTreeWidget* MakeTreeView(const ControlTemplate& control, QWidget* parent) {
    auto* tree = new QTreeWidget(parent);
    tree->setHeaderHidden(true);
    tree->setFrameShape(FrameShape(control, QFrame::StyledPanel));
    return tree;
}

// The room a control's text leaves beside it: frame, check indicator, button bevel.
int TextOverhead(const ControlTemplate& control, const QWidget* widget) {
    switch (control.kind) {
        case ControlKind::Static:
            return Has(control, ControlStyle::Border) ? 4 : 1;
        case ControlKind::CheckBox:
            return widget->style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                   widget->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing) + 2;
        case ControlKind::PushButton:
        case ControlKind::DefaultPushButton:
            return 6;
        default:
            return -1;  // no text of its own to fit
    }
}

// Texts laid out for Tahoma can come out a little wider in the fallback font. A one-line text
// that would be cut off is drawn slightly smaller instead, down to three quarters of its size.
void FitOneLineText(const ControlTemplate& control, QWidget* widget, const QRect& rect) {
    const int overhead = TextOverhead(control, widget);
    if (overhead < 0 || control.text.isEmpty()) {
        return;
    }
    QFont font = widget->font();
    if (rect.height() >= 2 * QFontMetrics(font).height()) {
        return;  // room to wrap onto a second line
    }
    int pixels = QFontInfo(font).pixelSize();
    const int smallest = pixels * 3 / 4;
    while (pixels > smallest &&
           QFontMetrics(font).horizontalAdvance(control.text) + overhead > rect.width()) {
        font.setPixelSize(--pixels);
    }
    widget->setFont(font);
}

QWidget* MakeControl(const ControlTemplate& control, const QRect& rect, QWidget* parent) {
    switch (control.kind) {
        case ControlKind::Static:
            return MakeLabel(control, parent);
        case ControlKind::GroupBox:
            return new QGroupBox(control.text, parent);
        case ControlKind::DatePicker:
            return MakeDatePicker(parent);
        case ControlKind::ListBox:
            return MakeListBox(control, parent);
        case ControlKind::ComboBox:
            return MakeComboBox(parent);
        case ControlKind::Edit:
            return MakeEdit(control, parent);
        case ControlKind::CheckBox:
            return MakeCheckBox(control, parent);
        case ControlKind::PushButton:
            return new QPushButton(control.text, parent);
        case ControlKind::DefaultPushButton: {
            auto* button = new QPushButton(control.text, parent);
            button->setDefault(true);
            return button;
        }
        case ControlKind::ListView:
            return MakeListView(control, parent);
        case ControlKind::TreeView:
            return MakeTreeView(control, parent);
        case ControlKind::Icon:
            return MakeIcon(rect, parent);
    }
    return new QWidget(parent);
}

}  // namespace

namespace {

// The average character width of a font as dialog units count it.
int BaseUnitWidth(const QFontMetrics& metrics) {
    const int twiceAverage = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return (twiceAverage / 26 + 1) / 2;
}

// The templates are laid out for Tahoma, whose letters average about 0.53 of its em at 96 dpi
// (8 points give the familiar 6-pixel base unit). A wider fallback font at the same size would
// push the controls past the 240-pixel screen, so it is made only as wide as Tahoma would be.
constexpr double kTahomaAverageWidthPerEm = 0.53;

int TahomaBaseUnitWidth(int pointSize) {
    return qRound(pointSize * 96.0 / 72.0 * kTahomaAverageWidthPerEm);
}

}  // namespace

QRect DialogUnitsToPixels(const QFont& font, int x, int y, int width, int height) {
    const QFontMetrics metrics(font);
    const int baseX = BaseUnitWidth(metrics);
    const int baseY = metrics.height();
    return QRect(MulDiv(x, baseX, 4), MulDiv(y, baseY, 8), MulDiv(width, baseX, 4),
                 MulDiv(height, baseY, 8));
}

QFont TemplateFont(const DialogTemplate& dialogTemplate) {
    QFont font(dialogTemplate.fontFamily);
    font.setPointSize(dialogTemplate.pointSize);
    if (QFontDatabase::families().contains(dialogTemplate.fontFamily, Qt::CaseInsensitive)) {
        return font;
    }
    QString family = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    if (family.isEmpty()) {
        family = QStringLiteral("DejaVu Sans");
    }
    font.setFamily(family);
    const int target = TahomaBaseUnitWidth(dialogTemplate.pointSize);
    for (int pixels = qRound(dialogTemplate.pointSize * 96.0 / 72.0); pixels > 6; --pixels) {
        font.setPixelSize(pixels);
        if (BaseUnitWidth(QFontMetrics(font)) <= target) {
            break;
        }
    }
    return font;
}

namespace {
// A field is named by the text on its left in the same row, as a reader of the dialog takes
// it: that label becomes its buddy, whose text a screen reader gives as the field's name.
const ControlTemplate* LabelOf(const DialogTemplate& dialogTemplate, const ControlTemplate& field) {
    const ControlTemplate* label = nullptr;
    for (const ControlTemplate& other : dialogTemplate.controls) {
        const bool sameRow = other.y < field.y + field.height && field.y < other.y + other.height;
        if (other.kind == ControlKind::Static && !other.text.isEmpty() && sameRow &&
            other.x + other.width <= field.x + 2 && (label == nullptr || other.x > label->x)) {
            label = &other;
        }
    }
    return label;
}

void NameFieldsByLabels(const DialogTemplate& dialogTemplate, const QList<QWidget*>& widgets) {
    for (qsizetype i = 0; i < widgets.size(); ++i) {
        const ControlTemplate& field = dialogTemplate.controls[size_t(i)];
        if (field.kind != ControlKind::Edit && field.kind != ControlKind::ComboBox &&
            field.kind != ControlKind::ListBox && field.kind != ControlKind::DatePicker) {
            continue;
        }
        if (const ControlTemplate* label = LabelOf(dialogTemplate, field)) {
            const auto at = label - dialogTemplate.controls.data();
            if (auto* text = qobject_cast<QLabel*>(widgets[at])) {
                text->setBuddy(widgets[i]);
            }
        }
    }
}
}  // namespace

void BuildDialog(const DialogTemplate& dialogTemplate, QWidget* dialog) {
    const QFont font = TemplateFont(dialogTemplate);
    dialog->setFont(font);
    if (!dialogTemplate.title.isEmpty()) {
        dialog->setWindowTitle(dialogTemplate.title);
        SetCloseBoxOnly(dialog);
    }
    dialog->setFixedSize(
        DialogUnitsToPixels(font, 0, 0, dialogTemplate.width, dialogTemplate.height).size());

    // Created in template order, so Qt's tab chain follows the template.
    QList<QWidget*> widgets;
    for (const ControlTemplate& control : dialogTemplate.controls) {
        QRect rect = DialogUnitsToPixels(font, control.x, control.y, control.width, control.height);
        QWidget* widget = MakeControl(control, rect, dialog);
        if (control.kind == ControlKind::ComboBox) {
            rect.setHeight(widget->sizeHint().height());
        }
        widget->setGeometry(rect);
        FitOneLineText(control, widget, rect);
        widget->setProperty(kControlIdProperty, control.id);
        if (control.id != -1) {
            widget->setObjectName(QStringLiteral("control_%1").arg(control.id));
        }
        if (!Has(control, ControlStyle::TabStop) && widget->focusPolicy() != Qt::NoFocus) {
            widget->setFocusPolicy(Qt::NoFocus);
        }
        widgets.append(widget);
    }
    NameFieldsByLabels(dialogTemplate, widgets);
}

QIcon ProgramIcon() {
    QIcon icon;
    for (const char* file : {":/icon107-16.png", ":/icon107.png", ":/icon107@2x.png"}) {
        QPixmap pixmap(QString::fromLatin1(file));
        pixmap.setDevicePixelRatio(pixmap.width() > 32 ? 2 : 1);
        icon.addPixmap(pixmap);
    }
    return icon;
}

void SetCloseBoxOnly(QWidget* window) {
    window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint);
}

QWidget* FindControl(const QWidget* dialog, int id) {
    if (dialog == nullptr || id == -1) {
        return nullptr;
    }
    const auto children = dialog->findChildren<QWidget*>();
    for (QWidget* child : children) {
        if (ControlId(child) == id) {
            return child;
        }
    }
    return nullptr;
}

int ControlId(const QWidget* widget) {
    if (widget == nullptr) {
        return -1;
    }
    bool ok = false;
    const int id = widget->property(kControlIdProperty).toInt(&ok);
    return ok ? id : -1;
}

}  // namespace tallimer
