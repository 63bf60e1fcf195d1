#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include <limits>

#include "operations/setup_fields.h"
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

FieldTextState StateOf(SetupField field, const QString& text, const QString& opening = "0") {
    return SetupFieldTextState(SetupFieldPattern(field, opening), text);
}

// Whatever the record holds, the dialog opens on texts its fields take, so OK goes through.
TEST(SetupFields, EveryStoredValueOpensAsATextItsFieldTakes) {
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    const Settings stored[] = {
        Settings{},
        Sample().settings,
        Settings{30, 462, -75, 15, 0, 0, -630, 90, 1380, 0},
        Settings{-1, -1, -30, -1, 0, 0, -59, -1, -1, 0},
        Settings{kMin, kMin, kMin, kMin, kMin, 0, kMin, kMin, kMin, 1},
        Settings{kMax, kMax, kMax, kMax, kMax, 2, kMax, kMax, kMax, 1},
    };
    for (const Settings& settings : stored) {
        SettingsStore store;
        store.settings = settings;
        const SetupForm form = SetupFormFor(store);
        EXPECT_EQ(FirstFieldWithoutValue(form, form), std::nullopt) << settings.flexBalance;
    }
}

TEST(SetupFields, EachFieldTakesWhatItsRuleReads) {
    using enum SetupField;
    using enum FieldTextState;
    const struct {
        SetupField field;
        QString text;
        FieldTextState state;
    } cases[] = {
        // Minutes: digits alone; a sign only where the stored value had one.
        {BreakPerDay, "30", Acceptable},
        {BreakPerDay, "3:0", Invalid},
        {BreakPerDay, "-5", Invalid},
        {MinuteUnit, "", Intermediate},
        // Hours: a colon or a decimal fraction of up to two digits, once.
        {WeeklyHours, "38:30", Acceptable},
        {WeeklyHours, "38,50", Acceptable},
        {WeeklyHours, "7.", Acceptable},
        {WeeklyHours, ":30", Acceptable},
        {WeeklyHours, "forty", Invalid},
        {WeeklyHours, "8h30", Invalid},
        {WeeklyHours, "7.125", Invalid},
        {WeeklyHours, "1.5 ", Invalid},
        {WeeklyHours, "1:2:3", Invalid},
        {WeeklyHours, "1:30.5", Invalid},
        {WeeklyHours, "-40", Invalid},
        // Signed hours: a sign before digits; a lone one is a start.
        {Balance, "-1:15", Acceptable},
        {Minimum, "+8", Acceptable},
        {Maximum, "-0.5", Acceptable},
        {Balance, "-", Intermediate},
        {Balance, "-:30", Invalid},  // would read as +30
        {Balance, "--1", Invalid},
        // A time of day: hours and minutes with a colon, no fraction.
        {CutOff, "18:00", Acceptable},
        {CutOff, "18", Acceptable},
        {CutOff, "18.30", Invalid},  // would read as 18:18
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StateOf(c.field, c.text), c.state) << c.text.toStdString();
    }
    // A field opened on a negative value keeps taking its sign.
    EXPECT_EQ(StateOf(BreakPerDay, "-5", "-1"), Acceptable);
    EXPECT_EQ(StateOf(CutOff, "-0:01", "-0:01"), Acceptable);
}

TEST(SetupFields, OkNamesTheFirstFieldWithoutAValue) {
    const SetupForm opened = SetupFormFor(Sample());
    SetupForm form = opened;
    form.cutOff.clear();
    form.balance = "-";
    EXPECT_EQ(FirstFieldWithoutValue(form, opened), SetupField::Balance);
    form.balance = "-2";
    EXPECT_EQ(FirstFieldWithoutValue(form, opened), SetupField::CutOff);
}

}  // namespace
}  // namespace tallimer
