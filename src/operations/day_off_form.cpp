#include "operations/day_off_form.h"

#include "accounting/day_off_texts.h"
#include "resources/string_table.h"

namespace tallimer {

const std::vector<DayOffChoice>& DayOffChoices() {
    static const std::vector<DayOffChoice> choices = [] {
        std::vector<DayOffChoice> all;
        for (const DayOffKind kind :
             {DayOffKind::Vacation, DayOffKind::Sick, DayOffKind::Holiday, DayOffKind::Flexday}) {
            all.push_back({DayOffKindText(kind), kind});
        }
        all.push_back({QStringLiteral("No day off (clear)"), std::nullopt});
        return all;
    }();
    return choices;
}

DayOffForm DayOffFormFor(QDate date, const DaysBook& book) {
    DayOffForm form;
    form.from = date;
    form.to = date;
    if (const DayOff* day = book.dayOff(date)) {
        form.kind = day->kind;
        form.half = day->half;
    }
    return form;
}

bool HalfApplies(const DayOffForm& form) {
    return form.kind.has_value();
}

std::optional<DayOffRequest> RequestOf(const DayOffForm& form) {
    if (!form.from.isValid() || !form.to.isValid() || form.to < form.from) {
        return std::nullopt;
    }
    DayOffRequest request;
    request.from = form.from;
    request.to = form.to;
    if (form.kind) {
        request.action = DayOffRequest::Action::Mark;
        request.kind = *form.kind;
        request.half = form.half;
    } else {
        request.action = DayOffRequest::Action::Clear;
    }
    return request;
}

HolidayImport ImportOf(const platform::HolidayRead& read) {
    if (!read.error.isEmpty()) {
        return {std::nullopt, LoadString(StringId::CalendarNotRead).arg(read.error)};
    }
    if (read.holidays.empty()) {
        return {std::nullopt, LoadString(StringId::CalendarWithoutHolidays)};
    }
    DayOffRequest request;
    request.action = DayOffRequest::Action::Import;
    for (const platform::Holiday& holiday : read.holidays) {
        request.holidays.push_back(holiday.date);
    }
    return {request, QString()};
}

}  // namespace tallimer
