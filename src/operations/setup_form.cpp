#include "operations/setup_form.h"

#include <algorithm>
#include <cstdint>

#include "accounting/time_text.h"
#include "base/leading_integer.h"
#include "base/saturating.h"

namespace tallimer {

namespace {

// The dialog reads each numeric field into a 20-character buffer and the directory into
// the 260-character one, terminators included.
constexpr qsizetype kNumericFieldLength = 19;
constexpr qsizetype kDirectoryLength = 259;

QString EditText(int32_t v, EditHoursForm form) {
    QString text;
    return FormatEditHours(text, v, form);
}

// The unsigned forms would show a negative value as "-8:-20", which reads back as another
// value. For values of 0 and more the signed forms give the same text as the unsigned ones.
QString UnsignedEditText(int32_t v, EditHoursForm form, EditHoursForm signedForm) {
    return EditText(v, v < 0 ? signedForm : form);
}

QStringView Field(const QString& text) {
    return QStringView(text).left(kNumericFieldLength);
}

}  // namespace

SetupForm SetupFormFor(const SettingsStore& store) {
    const Settings& s = store.settings;
    SetupForm form;
    form.breakPerDay = EditText(s.breakPerDay, EditHoursForm::Plain);
    form.weeklyHours =
        UnsignedEditText(SatMul(s.targetPerDay, 5), EditHoursForm::HoursOptionalMinutes,
                         EditHoursForm::SignedHoursOptionalMinutes);
    form.balance = EditText(s.flexBalance, EditHoursForm::SignedHoursMinutes);
    form.minuteUnit = EditText(s.minuteUnit, EditHoursForm::Plain);
    form.directory = store.databaseDirectory;
    form.minimum = EditText(s.flexMinimum, EditHoursForm::SignedHoursOptionalMinutes);
    form.maximum = EditText(s.flexMaximum, EditHoursForm::SignedHoursOptionalMinutes);
    form.cutOff = UnsignedEditText(s.cutOffTime, EditHoursForm::HoursMinutes,
                                   EditHoursForm::SignedHoursMinutes);
    form.automaticMode = s.automaticMode != 0;
    return form;
}

void ApplySetupForm(const SetupForm& form, SettingsStore& store) {
    store.databaseDirectory = form.directory.left(kDirectoryLength);
    if (!store.databaseDirectory.endsWith(u'\\')) {
        store.databaseDirectory += u'\\';
    }
    // The journal and settings file are looked for there from now on; nothing is moved.
    BuildFilePaths(store);

    Settings& s = store.settings;
    s.breakPerDay = LeadingInteger(Field(form.breakPerDay));
    s.targetPerDay = ParseHoursText(Field(form.weeklyHours)) / 5;
    s.flexBalance = ParseHoursText(Field(form.balance));
    s.flexMinimum = ParseHoursText(Field(form.minimum));
    s.flexMaximum = ParseHoursText(Field(form.maximum));
    s.cutOffTime = ParseHoursText(Field(form.cutOff));
    // A unit of 0 or less is stored as typed; filling the lists makes it 1.
    s.minuteUnit = LeadingInteger(Field(form.minuteUnit));
    s.automaticMode = form.automaticMode ? 1 : 0;
}

QPoint SetupDialogPosition(QSize dialog, QSize ownerClient) {
    const int64_t x = (int64_t{ownerClient.width()} - dialog.width()) / 2;
    const int64_t y = (int64_t{ownerClient.height()} - dialog.height() - 70) / 2 + 20;
    return QPoint(Saturate(std::max<int64_t>(x, 0)), Saturate(std::max<int64_t>(y, 0)));
}

ScanRead ScanAfterSetup(const Journal& journal, const QString& journalBefore,
                        const Settings& settings, QDate selectedDate, DayState& day,
                        MonthState& month, std::span<ScanSink* const> sinks,
                        const LineVisitor& lines) {
    ScanRead read = ScanJournal(journal, settings, selectedDate, day, month, sinks, {lines});
    if (read.error == 0 || journal.path() == journalBefore || journal.exists()) {
        return read;
    }
    return ScanBytes({}, settings, selectedDate, day, month, sinks);
}

}  // namespace tallimer
