#include "ui/toolbar.h"

#include <QHBoxLayout>
#include <QToolButton>

#include "ui/commands.h"
#include "ui/window_actions.h"
#include "ui/zoom.h"

namespace tallimer {

namespace {

// The buttons in order; 0: a separator.
constexpr int kButtons[] = {
    IDM_VIEW_DAY, IDM_VIEW_LIST, IDM_VIEW_REPORT, 0, IDM_SAVE,
    IDM_REMOVE,   IDM_SETTINGS,  IDM_ABOUT,       0,
};

constexpr int kSeparatorWidth = 8;

}  // namespace

Toolbar::Toolbar(const WindowActions& actions, QWidget* parent) : QWidget(parent) {
    setFixedSize(kWidth, kHeight);
    setAccessibleName(QStringLiteral("Toolbar"));
    // The images are drawn for the handheld's light buttons; a dark theme's pressed button
    // would hide them, so the buttons stay light in any theme.
    setPalette(QPalette(QColor(240, 240, 240)));

    auto* layout = new QHBoxLayout(this);
    for (const int command : kButtons) {
        if (command == 0) {
            layout->addSpacing(kSeparatorWidth);
            continue;
        }
        auto* button = new QToolButton(this);
        button->setDefaultAction(actions.action(command));
        button->setFixedSize(kButtonSize, kButtonSize);
        button->setIconSize(QSize(kButtonSize - 4, kButtonSize - 4));
        button->setAutoRaise(true);
        // The keyboard focus stays in the entry panel.
        button->setFocusPolicy(Qt::NoFocus);
        buttons_.insert(command, button);
        layout->addWidget(button);
    }
    layout->addStretch();
    space(100);
}

void Toolbar::setZoom(int percent) {
    ZoomWidgets(this, percent);
    space(percent);
}

void Toolbar::space(int percent) {
    auto* bar = static_cast<QHBoxLayout*>(layout());
    bar->setContentsMargins(Zoomed(2, percent), Zoomed(4, percent), Zoomed(2, percent),
                            Zoomed(4, percent));
    bar->setSpacing(Zoomed(1, percent));
    for (int i = 0; i < bar->count(); ++i) {
        QSpacerItem* gap = bar->itemAt(i)->spacerItem();
        if (gap != nullptr && gap->sizePolicy().horizontalPolicy() == QSizePolicy::Fixed) {
            gap->changeSize(Zoomed(kSeparatorWidth, percent), 0, QSizePolicy::Fixed,
                            QSizePolicy::Minimum);
        }
    }
    bar->invalidate();
}

}  // namespace tallimer
