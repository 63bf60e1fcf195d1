#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

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

// OK without changes gives the settings back; only the directory gains its backslash.
TEST(SetupForm, OpeningShowsEveryFieldInItsFormAndOkReadsItBack) {
    const SetupForm form = SetupFormFor(Sample());
    EXPECT_EQ((QStringList{form.breakPerDay, form.weeklyHours, form.balance, form.minuteUnit,
                           form.directory, form.minimum, form.maximum, form.cutOff}),
              (QStringList{"30", "40", "10:05", "5", "\\Data", "-10", "10:30", "0:00"}));
    EXPECT_TRUE(form.automaticMode);
    const SettingsStore after = Confirmed(Sample());
    EXPECT_EQ(after.settings, Sample().settings);
    EXPECT_EQ(after.databaseDirectory, "\\Data\\");
}

// A balance under an hour keeps its sign; minutes of the weekly hours that do not divide by
// five are cut.
TEST(SetupForm, BalanceUnderAnHourAndWeeklyHours) {
    SettingsStore store;
    store.settings.flexBalance = -30;
    EXPECT_EQ(SetupFormFor(store).balance, "-0:30");
    store = Confirmed(store, [](SetupForm& f) { f.weeklyHours = "38:31"; });
    EXPECT_EQ(store.settings.flexBalance, -30);
    EXPECT_EQ(store.settings.targetPerDay, 462);
    EXPECT_EQ(SetupFormFor(store).weeklyHours, "38:30");
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

}  // namespace
}  // namespace tallimer
