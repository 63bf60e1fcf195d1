#pragma once

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

#include "model/days_book.h"
#include "operations/day_off_request.h"
#include "platform/holiday_calendar.h"

namespace tallimer {

// The fields of the window's "Day off" dialog: what to do with the dates from `from` to `to`.
struct DayOffForm {
    std::optional<DayOffKind> kind = DayOffKind::Vacation;  // none: clear the day off
    bool half = false;
    QDate from;
    QDate to;
    bool operator==(const DayOffForm&) const = default;
};

// The kind field's choices in their order: the four kinds, then clearing the day off.
struct DayOffChoice {
    QString text;
    std::optional<DayOffKind> kind;
};
const std::vector<DayOffChoice>& DayOffChoices();

// The dialog opened on `date`: that date alone, of its own kind and half when it is a day
// off already (OK then keeps it), otherwise a whole vacation.
DayOffForm DayOffFormFor(QDate date, const DaysBook& book);

// Whether the half-day field counts: a clear takes whole dates.
bool HalfApplies(const DayOffForm& form);

// What OK asks for; none while a date is missing or To is before From.
std::optional<DayOffRequest> RequestOf(const DayOffForm& form);

// "Import holidays": the request for a calendar as read, or why there is none (the message
// box's text) when the file could not be read or holds no all-day event.
struct HolidayImport {
    std::optional<DayOffRequest> request;
    QString refusal;
};
HolidayImport ImportOf(const platform::HolidayRead& read);

}  // namespace tallimer
