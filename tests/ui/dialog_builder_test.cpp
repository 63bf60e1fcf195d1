#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFontInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QWidget>
#include <stdexcept>
#include <vector>

#include "resources/dialog_templates.h"
#include "ui/dialog_builder.h"

namespace tallimer::test {
namespace {

std::vector<int> ControlIds(const DialogTemplate& t) {
    std::vector<int> ids;
    for (const ControlTemplate& c : t.controls) {
        ids.push_back(c.id);
    }
    return ids;
}

const ControlTemplate& Control(int dialogId, int id) {
    for (const ControlTemplate& c : FindDialogTemplate(dialogId)->controls) {
        if (c.id == id) {
            return c;
        }
    }
    throw std::out_of_range("no such control");
}

TEST(DialogTemplates, ControlsInTemplateOrder) {
    EXPECT_EQ(ControlIds(*FindDialogTemplate(128)),
              (std::vector<int>{1016, 1008, 1014, 1003, 1001, 1015, 1002}));
    EXPECT_EQ(ControlIds(*FindDialogTemplate(103)),
              (std::vector<int>{1014, 1015, 1027, 1016, 57666, 57665}));
    EXPECT_EQ(ControlIds(*FindDialogTemplate(130)),
              (std::vector<int>{-1, 1005, -1, 1004, -1, 1018, -1, -1, 1007}));
    // The Setup dialog's labels 1014..1029 aside: its ten fields in tab order.
    std::vector<int> setupFields;
    for (const ControlTemplate& c : FindDialogTemplate(144)->controls) {
        if (c.kind != ControlKind::Static) {
            setupFields.push_back(c.id);
        }
    }
    EXPECT_EQ(setupFields,
              (std::vector<int>{1023, 1024, 1025, 1, 1026, 1027, 1030, 1031, 1032, 1011}));
    EXPECT_EQ(FindDialogTemplate(129), nullptr);
}

TEST(DialogTemplates, RectanglesTextsAndStyles) {
    struct Row {
        int dialog, id, x, y, width, height;
        const char* text;
        unsigned style;
    };
    using namespace ControlStyle;
    const Row rows[] = {
        {128, 1001, 25, 11, 62, 90, "", AutoHScroll | VScroll | TabStop},
        {128, 1003, 63, 1, 11, 10, "", Border | TabStop},
        {128, 1016, 73, 1, 8, 8, ":", NoPrefix},
        {128, 1015, 1, 12, 23, 10, "Project", AlignRight},
        {130, 1005, 23, 11, 30, 10, "", AlignRight | Border},
        {130, 1004, 23, 22, 30, 10, "", AlignRight | Border},
        {130, 1018, 23, 37, 30, 10, "", AlignRight | Border},
        {130, 1007, 30, 64, 46, 11, "---", AlignCenter | Border},
        {131, 1003, 4, 4, 150, 114, "", Border | TabStop},
        {132, 1006, 4, 4, 127, 91, "", Border | TabStop},
        {144, 1026, 27, 73, 19, 12, "", Border | AutoHScroll | TabStop | AlignCenter},
        {144, 1011, 7, 100, 64, 13, "Automatic Mode", TextLeft | TabStop},
        {144, 1029, 49, 75, 26, 9, "Minutes", None},
        {103, 1015, 40, 7, 44, 8, "Tallimer 1.3", NoPrefix},
        {103, 57665, 79, 55, 33, 17, "Ende", TabStop},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.dialog << "/" << row.id);
        const ControlTemplate& c = Control(row.dialog, row.id);
        EXPECT_EQ(QRect(c.x, c.y, c.width, c.height), QRect(row.x, row.y, row.width, row.height));
        EXPECT_EQ(c.text, QString::fromLatin1(row.text));
        EXPECT_EQ(c.style, row.style);
    }
    EXPECT_EQ(Control(103, 57665).kind, ControlKind::DefaultPushButton);
    EXPECT_EQ(FindDialogTemplate(103)->title, QStringLiteral("About Tallimer"));
    EXPECT_EQ(FindDialogTemplate(144)->title, QStringLiteral("Setup"));
    EXPECT_TRUE(FindDialogTemplate(128)->title.isEmpty());
}

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
    const QFont font = TemplateFont(t128);
    EXPECT_EQ(panel.size(), DialogUnitsToPixels(font, 0, 0, 102, 23).size());
    EXPECT_NE(FindControlAs<QDateEdit>(&panel, 1008), nullptr);
    EXPECT_NE(FindControlAs<QListWidget>(&panel, 1003), nullptr);
    EXPECT_NE(FindControlAs<QLabel>(&panel, 1014), nullptr);
    auto* project = FindControlAs<QComboBox>(&panel, 1001);
    ASSERT_NE(project, nullptr);
    EXPECT_TRUE(project->isEditable());
    EXPECT_EQ(project->insertPolicy(), QComboBox::NoInsert);
    EXPECT_EQ(FindControl(&panel, 1002)->geometry(), DialogUnitsToPixels(font, 76, 1, 11, 10));
    EXPECT_EQ(FindControl(&panel, 4711), nullptr);
    EXPECT_EQ(ControlId(project), 1001);
    EXPECT_EQ(ControlId(&panel), -1);

    // Tab order follows the template: date, hour, project, minute.
    QWidget* date = FindControl(&panel, 1008);
    std::vector<int> chain;
    for (QWidget* w = date->nextInFocusChain(); w != date; w = w->nextInFocusChain()) {
        if (ControlId(w) != -1 && w->focusPolicy() & Qt::TabFocus) {
            chain.push_back(ControlId(w));
        }
    }
    EXPECT_EQ(chain, (std::vector<int>{1003, 1001, 1002}));

    QWidget day, list, report, setup, about;
    BuildDialog(*FindDialogTemplate(130), &day);
    BuildDialog(*FindDialogTemplate(131), &list);
    BuildDialog(*FindDialogTemplate(132), &report);
    BuildDialog(*FindDialogTemplate(144), &setup);
    BuildDialog(*FindDialogTemplate(103), &about);
    EXPECT_EQ(FindControlAs<QLabel>(&day, 1007)->text(), QStringLiteral("---"));
    EXPECT_EQ(day.findChildren<QGroupBox*>().size(), 2);
    EXPECT_NE(FindControlAs<QTreeView>(&list, 1003), nullptr);
    EXPECT_TRUE(FindControlAs<QTreeWidget>(&report, 1006)->isHeaderHidden());
    EXPECT_NE(FindControlAs<QLineEdit>(&setup, 1032), nullptr);
    EXPECT_EQ(FindControlAs<QCheckBox>(&setup, 1011)->layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(setup.windowTitle(), QStringLiteral("Setup"));
    EXPECT_TRUE(FindControlAs<QPushButton>(&about, 57665)->isDefault());
    EXPECT_FALSE(FindControlAs<QLabel>(&about, 1014)->pixmap().isNull());
}

TEST(Artwork, ToolbarStripIsSevenImagesInSixteenColours) {
    const QImage strip(QStringLiteral(":/toolbar.png"));
    EXPECT_EQ(strip.size(), QSize(182, 26));
    EXPECT_LE(strip.colorCount(), 16);
    EXPECT_GT(strip.colorCount(), 0);
    EXPECT_EQ(QImage(QStringLiteral(":/icon107.png")).size(), QSize(32, 32));
}

}  // namespace
}  // namespace tallimer::test
