#pragma once

#include <QRegularExpression>
#include <QStringView>
#include <array>
#include <optional>

#include "operations/setup_form.h"

namespace tallimer {

// The numeric fields of Setup, in the dialog's tab order.
enum class SetupField { BreakPerDay, WeeklyHours, Balance, MinuteUnit, Minimum, Maximum, CutOff };
inline constexpr std::array kSetupFields = {
    SetupField::BreakPerDay, SetupField::WeeklyHours, SetupField::Balance, SetupField::MinuteUnit,
    SetupField::Minimum,     SetupField::Maximum,     SetupField::CutOff};

// The text of a field in the form.
QString& FieldText(SetupForm& form, SetupField field);
const QString& FieldText(const SetupForm& form, SetupField field);

// The texts a field takes: those its reading rule reads as a value, and nothing that rule
// would read as 0 or only in part. `opening` is the text the field opens with: a field that is
// never negative in use still takes a minus when its stored value is negative, so that value
// can be kept.
QRegularExpression SetupFieldPattern(SetupField field, QStringView opening);

// What a text is to a field's pattern, as a validator of it tells: a whole match, the start of
// one (an empty field, a lone sign), or neither.
enum class FieldTextState { Invalid, Intermediate, Acceptable };
FieldTextState SetupFieldTextState(const QRegularExpression& pattern, QStringView text);

// The first field of `form` that holds no value its pattern takes, the patterns being those of
// the form the dialog opened with; nullopt when every one does.
std::optional<SetupField> FirstFieldWithoutValue(const SetupForm& form, const SetupForm& opened);

}  // namespace tallimer
