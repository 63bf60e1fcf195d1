#include "operations/setup_fields.h"

namespace tallimer {

namespace {

// The minutes, the hours with a colon or a decimal fraction (of which the reading takes two
// digits), and a time of day. A sign stands before digits only: "-:30" would read as +30.
constexpr char kCount[] = R"(%1\d+)";
constexpr char kHours[] = R"(%1\d+(:\d*|[.,]\d{0,2})?|:\d+|[.,]\d{1,2})";
// ParseHoursText would read "18.30" as 18:18: a time of day takes the colon only.
constexpr char kTimeOfDay[] = R"(%1\d+(:\d*)?|:\d+)";

bool Signed(SetupField field) {
    return field == SetupField::Balance || field == SetupField::Minimum ||
           field == SetupField::Maximum;
}

const char* Rule(SetupField field) {
    switch (field) {
        case SetupField::BreakPerDay:
        case SetupField::MinuteUnit:
            return kCount;
        case SetupField::CutOff:
            return kTimeOfDay;
        default:
            return kHours;
    }
}

}  // namespace

QString& FieldText(SetupForm& form, SetupField field) {
    switch (field) {
        case SetupField::BreakPerDay:
            return form.breakPerDay;
        case SetupField::WeeklyHours:
            return form.weeklyHours;
        case SetupField::Balance:
            return form.balance;
        case SetupField::MinuteUnit:
            return form.minuteUnit;
        case SetupField::Minimum:
            return form.minimum;
        case SetupField::Maximum:
            return form.maximum;
        case SetupField::CutOff:
            break;
    }
    return form.cutOff;
}

const QString& FieldText(const SetupForm& form, SetupField field) {
    return FieldText(const_cast<SetupForm&>(form), field);
}

QRegularExpression SetupFieldPattern(SetupField field, QStringView opening) {
    const QString sign = Signed(field)              ? QStringLiteral("[+-]?")
                         : opening.startsWith(u'-') ? QStringLiteral("-?")
                                                    : QString();
    return QRegularExpression(QString::fromLatin1(Rule(field)).arg(sign));
}

FieldTextState SetupFieldTextState(const QRegularExpression& pattern, QStringView text) {
    // As QRegularExpressionValidator judges a text.
    const QRegularExpression whole(QRegularExpression::anchoredPattern(pattern.pattern()));
    const QRegularExpressionMatch match =
        whole.match(text, 0, QRegularExpression::PartialPreferCompleteMatch);
    if (match.hasMatch()) {
        return FieldTextState::Acceptable;
    }
    return text.isEmpty() || match.hasPartialMatch() ? FieldTextState::Intermediate
                                                     : FieldTextState::Invalid;
}

std::optional<SetupField> FirstFieldWithoutValue(const SetupForm& form, const SetupForm& opened) {
    for (const SetupField field : kSetupFields) {
        const QRegularExpression pattern = SetupFieldPattern(field, FieldText(opened, field));
        if (SetupFieldTextState(pattern, FieldText(form, field)) != FieldTextState::Acceptable) {
            return field;
        }
    }
    return std::nullopt;
}

}  // namespace tallimer
