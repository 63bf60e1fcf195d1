#include "ui/toolbar.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QImage>
#include <QPixmap>
#include <QToolButton>
#include <utility>

#include "ui/commands.h"

namespace tallimer {

namespace {

struct ButtonEntry {
    int image;  // -1: a separator
    int command;
    bool checkGroup;
    const char* tooltip;
};

// The button table, in order.
constexpr ButtonEntry kButtons[] = {
    {0, IDM_VIEW_DAY, true, "Show This Day"},
    {1, IDM_VIEW_LIST, true, "List All Entries"},
    {2, IDM_VIEW_REPORT, true, "Show a Report"},
    {-1, 0, false, nullptr},
    {3, IDM_SAVE, false, "Save Entry"},
    {4, IDM_REMOVE, false, "Delete All Entries of This Day"},
    {5, IDM_SETTINGS, false, "Setup"},
    {6, IDM_ABOUT, false, "About - Exit"},
    {-1, 0, false, nullptr},
};

constexpr int kSeparatorWidth = 8;

// A button's image from the strip, with its double-size drawing for a scale factor of 2.
QIcon ButtonIcon(const QImage& strip, const QImage& strip2x, int image) {
    QIcon icon;
    for (const auto& [source, scale] : {std::pair{&strip, 1}, std::pair{&strip2x, 2}}) {
        const int size = Toolbar::kButtonSize * scale;
        QPixmap cell = QPixmap::fromImage(source->copy(image * size, 0, size, size));
        cell.setDevicePixelRatio(scale);
        icon.addPixmap(cell);
    }
    return icon;
}

}  // namespace

Toolbar::Toolbar(QWidget* parent) : QWidget(parent) {
    setFixedSize(kWidth, kHeight);
    // The images are drawn for the handheld's light buttons; a dark theme's pressed button
    // would hide them, so the buttons stay light in any theme.
    setPalette(QPalette(QColor(240, 240, 240)));
    const QImage strip(QStringLiteral(":/toolbar.png"));
    const QImage strip2x(QStringLiteral(":/toolbar@2x.png"));
    viewGroup_ = new QButtonGroup(this);
    viewGroup_->setExclusive(true);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 4, 2, 4);
    layout->setSpacing(1);
    for (const ButtonEntry& entry : kButtons) {
        if (entry.image < 0) {
            layout->addSpacing(kSeparatorWidth);
            continue;
        }
        auto* button = new QToolButton(this);
        button->setFixedSize(kButtonSize, kButtonSize);
        button->setIcon(ButtonIcon(strip, strip2x, entry.image));
        button->setIconSize(QSize(kButtonSize - 4, kButtonSize - 4));
        button->setAutoRaise(true);
        button->setToolTip(QString::fromLatin1(entry.tooltip));
        // The keyboard focus stays in the entry panel.
        button->setFocusPolicy(Qt::NoFocus);
        if (entry.checkGroup) {
            button->setCheckable(true);
            viewGroup_->addButton(button);
        }
        const int command = entry.command;
        connect(button, &QToolButton::clicked, this,
                [this, command] { emit commandRaised(command); });
        buttons_.insert(command, button);
        layout->addWidget(button);
    }
    layout->addStretch();
}

void Toolbar::setChecked(int command) {
    if (QToolButton* b = button(command)) {
        b->setChecked(true);
    }
}

void Toolbar::setButtonEnabled(int command, bool enabled) {
    if (QToolButton* b = button(command)) {
        b->setEnabled(enabled);
    }
}

bool Toolbar::isButtonEnabled(int command) const {
    const QToolButton* b = button(command);
    return b != nullptr && b->isEnabled();
}

}  // namespace tallimer
