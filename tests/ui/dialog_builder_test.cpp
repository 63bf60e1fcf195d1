#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFontInfo>
#include <vector>

#include "resources/dialog_templates.h"
#include "ui/dialog_builder.h"

namespace tallimer::test {
namespace {

// DejaVu Sans at 12 pixels: the alphabet is 385 pixels wide (base 7), the height 14.
TEST(DialogBuilder, DialogUnitsRoundAsTheHandheldDoes) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    if (QFontInfo(font).family() != QStringLiteral("DejaVu Sans")) {
        GTEST_SKIP() << "DejaVu Sans is not installed";
    }
    EXPECT_EQ(DialogUnitsToPixels(font, 1, 1, 38, 10), QRect(2, 2, 67, 18));  // halves round up
    EXPECT_EQ(DialogUnitsToPixels(font, 3, 3, 4, 8), QRect(5, 5, 7, 14));     // 5.25 and 5.25 down
    EXPECT_EQ(DialogUnitsToPixels(font, -2, -3, 0, 0), QRect(-4, -5, 0, 0));  // away from zero
}

TEST(DialogBuilder, BuildsEachControlKindFoundById) {
    QWidget panel;
    const DialogTemplate& t128 = *FindDialogTemplate(128);
    BuildDialog(t128, &panel);
    auto* project = FindControlAs<QComboBox>(&panel, 1001);
    ASSERT_NE(project, nullptr);
    EXPECT_TRUE(project->isEditable());
    EXPECT_EQ(project->insertPolicy(), QComboBox::NoInsert);
    EXPECT_EQ(FindControl(&panel, 4711), nullptr);
    EXPECT_EQ(ControlId(project), 1001);
    EXPECT_EQ(ControlId(&panel), -1);

    // Tab order follows the template: date, hour, project, minute.
    QWidget* date = FindControlAs<QDateEdit>(&panel, 1008);
    ASSERT_NE(date, nullptr);
    std::vector<int> chain;
    for (QWidget* w = date->nextInFocusChain(); w != date; w = w->nextInFocusChain()) {
        if (ControlId(w) != -1 && w->focusPolicy() & Qt::TabFocus) {
            chain.push_back(ControlId(w));
        }
    }
    EXPECT_EQ(chain, (std::vector<int>{1003, 1001, 1002}));

    QWidget setup;
    BuildDialog(*FindDialogTemplate(144), &setup);
    EXPECT_EQ(FindControlAs<QCheckBox>(&setup, 1011)->layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(setup.windowTitle(), QStringLiteral("Setup"));
}

}  // namespace
}  // namespace tallimer::test
