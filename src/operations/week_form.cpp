#include "operations/week_form.h"

#include "accounting/time_text.h"
#include "resources/string_table.h"

namespace tallimer {

namespace {

constexpr int32_t kMostMinutes = 24 * 60;
constexpr size_t kFirstWeekendDay = 5;  // Saturday, Monday first

// The digits of `text` as a number; nullopt unless it is only digits (one to `most` of them).
std::optional<int32_t> Digits(QStringView text, qsizetype most) {
    if (text.isEmpty() || text.size() > most) {
        return std::nullopt;
    }
    int32_t value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

}  // namespace

const std::array<QString, 7>& WeekdayNames() {
    static const std::array<QString, 7> names = {
        QStringLiteral("Monday"),   QStringLiteral("Tuesday"), QStringLiteral("Wednesday"),
        QStringLiteral("Thursday"), QStringLiteral("Friday"),  QStringLiteral("Saturday"),
        QStringLiteral("Sunday")};
    return names;
}

WeekForm WeekFormFor(QDate date, const DaysBook& book, const Settings& settings) {
    std::array<int32_t, 7> targets{};
    if (const WeekPlan* plan = book.weekAt(date)) {
        targets = plan->targets;
    } else {
        for (size_t day = 0; day < kFirstWeekendDay; ++day) {
            targets[day] = settings.targetPerDay;
        }
    }
    WeekForm form;
    form.from = date;
    for (size_t day = 0; day < targets.size(); ++day) {
        FormatEditHours(form.targets[day], targets[day], EditHoursForm::HoursMinutes);
    }
    return form;
}

std::optional<int32_t> WeekTargetOf(QStringView text) {
    text = text.trimmed();
    const qsizetype colon = text.indexOf(u':');
    const std::optional<int32_t> hours = Digits(colon < 0 ? text : text.left(colon), 2);
    // The minutes, when given, are two digits, as the field shows them.
    const std::optional<int32_t> minutes =
        colon < 0 ? std::optional<int32_t>(0) : Digits(text.mid(colon + 1), 2);
    if (!hours || !minutes || (colon >= 0 && text.size() - colon != 3) || *minutes > 59) {
        return std::nullopt;
    }
    const int32_t total = *hours * 60 + *minutes;
    return total <= kMostMinutes ? std::optional<int32_t>(total) : std::nullopt;
}

WeekPlanOf PlanOf(const WeekForm& form) {
    WeekPlan plan;
    plan.from = form.from;
    for (size_t day = 0; day < form.targets.size(); ++day) {
        const std::optional<int32_t> target = WeekTargetOf(form.targets[day]);
        if (!target) {
            return {std::nullopt, LoadString(StringId::WeekTargetRefused).arg(WeekdayNames()[day]),
                    int(day)};
        }
        plan.targets[day] = *target;
    }
    if (!plan.from.isValid()) {
        return {std::nullopt, LoadString(StringId::WeekDateRefused), -1};
    }
    return {plan, QString(), -1};
}

}  // namespace tallimer
