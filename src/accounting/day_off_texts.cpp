#include "accounting/day_off_texts.h"

namespace tallimer {

QString DayOffKindText(DayOffKind kind) {
    switch (kind) {
        case DayOffKind::Vacation:
            return QStringLiteral("Vacation");
        case DayOffKind::Sick:
            return QStringLiteral("Sick");
        case DayOffKind::Holiday:
            return QStringLiteral("Public holiday");
        case DayOffKind::Flexday:
            return QStringLiteral("Flexitime day off");
    }
    return {};
}

QString DayOffSummaryText(const DayOff* day) {
    if (day == nullptr) {
        return {};
    }
    const QString kind = DayOffKindText(day->kind);
    if (!day->half) {
        return kind;
    }
    // "Half day flexitime day off" would say "day" twice.
    return day->kind == DayOffKind::Flexday ? QStringLiteral("Half flexitime day off")
                                            : QStringLiteral("Half day ") + kind.toLower();
}

}  // namespace tallimer
