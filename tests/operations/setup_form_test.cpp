#include <gtest/gtest.h>

#include <QPoint>
#include <QSize>
#include <QString>

#include "operations/setup_form.h"

namespace tallimer {
namespace {

SettingsStore Sample() {
    SettingsStore store;
    store.settings = Settings{30, 480, 605, 5, 77, ViewReport, -600, 630, 0, 1};
    store.databaseDirectory = QStringLiteral("\\Data");
    BuildFilePaths(store);
    return store;
}

// The store after opening the dialog on it and pressing OK with `edit` applied to the texts.
template <typename Edit>
SettingsStore Confirmed(SettingsStore store, Edit edit) {
    SetupForm form = SetupFormFor(store);
    edit(form);
    ApplySetupForm(form, store);
    return store;
}
SettingsStore Confirmed(const SettingsStore& store) {
    return Confirmed(store, [](SetupForm&) {});
}

TEST(SetupForm, OpeningShowsEveryFieldInItsForm) {
    const SetupForm form = SetupFormFor(Sample());
    EXPECT_EQ(form.breakPerDay, "30");
    EXPECT_EQ(form.weeklyHours, "40");
    EXPECT_EQ(form.balance, "10:05");
    EXPECT_EQ(form.minuteUnit, "5");
    EXPECT_EQ(form.directory, "\\Data");
    EXPECT_EQ(form.minimum, "-10");
    EXPECT_EQ(form.maximum, "10:30");
    EXPECT_EQ(form.cutOff, "0:00");
    EXPECT_TRUE(form.automaticMode);
}

TEST(SetupForm, OkWithoutChangesOnlyAddsTheDirectorysBackslash) {
    const SettingsStore after = Confirmed(Sample());
    EXPECT_EQ(after.settings, Sample().settings);
    EXPECT_EQ(after.databaseDirectory, "\\Data\\");
}

TEST(SetupForm, BalanceUnderAnHourKeepsItsSign) {
    SettingsStore store;
    store.settings.flexBalance = -30;
    EXPECT_EQ(SetupFormFor(store).balance, "-0:30");
    EXPECT_EQ(Confirmed(store).settings.flexBalance, -30);
}

TEST(SetupForm, WeeklyHoursGiveTheDailyTarget) {
    for (const char* text : {"38:30", "38.5", "38:31"}) {
        const SettingsStore store =
            Confirmed(SettingsStore{}, [text](SetupForm& f) { f.weeklyHours = text; });
        EXPECT_EQ(store.settings.targetPerDay, 462) << text;
        EXPECT_EQ(SetupFormFor(store).weeklyHours, "38:30");
    }
    EXPECT_EQ(Confirmed(Sample()).settings.targetPerDay, 480);
}

TEST(SetupForm, TypedTextsAreReadUpToTheNineteenthCharacter) {
    const SettingsStore store = Confirmed(SettingsStore{}, [](SetupForm& f) {
        f.breakPerDay = QString(18, u'0') + "12";      // the 2 is the 20th character
        f.balance = "1:" + QString(15, u'0') + "123";  // minutes 12
        f.minuteUnit = "0";                            // the list refill makes it 1, not OK
        f.minimum = "-2.5";
        f.maximum = QString(18, u' ') + "1:30";  // one hour
        f.cutOff = "abc";
        f.automaticMode = true;
    });
    EXPECT_EQ(store.settings, (Settings{1, 0, 72, 0, 0, 0, -150, 60, 0, 1}));
}

TEST(SetupForm, DirectoryGetsItsBackslashAndThePathsFollow) {
    const struct {
        QString typed, directory;
    } cases[] = {
        {"\\Data\\Work\\", "\\Data\\Work\\"},
        {"", "\\"},
        {QString(300, u'a'), QString(259, u'a') + "\\"},
    };
    for (const auto& c : cases) {
        const SettingsStore store =
            Confirmed(SettingsStore{}, [&c](SetupForm& f) { f.directory = c.typed; });
        EXPECT_EQ(store.databaseDirectory, c.directory);
        EXPECT_EQ(store.journalPath, c.directory + "Tallimer.txt");
        EXPECT_EQ(store.settingsFilePath, c.directory + "Tallimer.ini");
    }
}

TEST(SetupForm, Placement) {
    const struct {
        QSize dialog;
        QPoint at;
    } cases[] = {
        {{180, 200}, {30, 32}},
        {{181, 201}, {29, 31}},  // 59 / 2 and 23 / 2 truncate
        {{240, 251}, {0, 7}},    // -27 / 2 is -13, toward zero
        {{300, 400}, {0, 0}},    // larger than the owner
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SetupDialogPosition(c.dialog, QSize(240, 294)), c.at) << c.dialog.height();
    }
}

}  // namespace
}  // namespace tallimer
