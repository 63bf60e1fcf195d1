#include "platform/holiday_calendar.h"

#include <errno.h>
#include <fcntl.h>
#include <libical/ical.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <algorithm>
#include <climits>
#include <memory>
#include <string>

#include "platform/diagnostics.h"
#include "platform/file_steps.h"

namespace tallimer::platform {

namespace {

// A year of holidays is a few kilobytes; this leaves room for decades of them.
constexpr long long kMaxFileBytes = 16LL * 1024 * 1024;
constexpr size_t kReadChunk = 64 * 1024;
// Days listed and recurrence steps taken over the whole file. Decades of holidays need a few
// thousand; a rule that recurs daily for centuries ends in an error instead of minutes of work
// and a list nobody would import.
constexpr long long kMaxSteps = 100000;

struct ComponentFree {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

struct IteratorFree {
    void operator()(icalrecur_iterator* iterator) const { icalrecur_iterator_free(iterator); }
};
using RecurIterator = std::unique_ptr<icalrecur_iterator, IteratorFree>;

// Reads the whole file into `out`; the reason when it cannot. The size is not asked first, as
// the file may grow while it is read: one chunk past the limit is enough to tell.
QString ReadLimited(const QString& hostPath, std::string& out) {
    const int fd = OpenRegular(QFile::encodeName(hostPath), O_RDONLY);
    if (fd < 0) {
        return SystemReason(errno);
    }
    std::string chunk(kReadChunk, '\0');
    int error = 0;
    while (error == 0 && qint64(out.size()) <= kMaxFileBytes) {
        const ssize_t got = ::read(fd, chunk.data(), chunk.size());
        if (got > 0) {
            out.append(chunk.data(), size_t(got));
        } else if (got == 0) {
            break;
        } else if (errno != EINTR) {
            error = errno;
        }
    }
    CloseQuietly(fd);
    if (error != 0) {
        return SystemReason(error);
    }
    return qint64(out.size()) > kMaxFileBytes ? QStringLiteral("larger than 16 MiB") : QString();
}

// The calendars the parser found: the root itself, or, when the file holds more than one, the
// calendars the parser put under a root of its own. Nothing when the text is no calendar.
std::vector<icalcomponent*> CalendarsOf(icalcomponent* root) {
    if (root != nullptr && icalcomponent_isa(root) == ICAL_VCALENDAR_COMPONENT) {
        return {root};
    }
    std::vector<icalcomponent*> calendars;
    if (root != nullptr && icalcomponent_isa(root) == ICAL_XROOT_COMPONENT) {
        for (icalcomponent* calendar =
                 icalcomponent_get_first_component(root, ICAL_VCALENDAR_COMPONENT);
             calendar != nullptr;
             calendar = icalcomponent_get_next_component(root, ICAL_VCALENDAR_COMPONENT)) {
            calendars.push_back(calendar);
        }
    }
    return calendars;
}

QDate DateOf(const icaltimetype& time) {
    return QDate(time.year, time.month, time.day);
}

struct AllDayEvent {
    icalcomponent* event = nullptr;
    icaltimetype start{};
    QDate first;
    int days = 1;
    QString name;
    bool recurring = false;
};

std::vector<AllDayEvent> AllDayEvents(const std::vector<icalcomponent*>& calendars) {
    std::vector<AllDayEvent> events;
    for (icalcomponent* calendar : calendars) {
        for (icalcomponent* event =
                 icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
             event != nullptr;
             event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
            const icaltimetype start = icalcomponent_get_dtstart(event);
            const QDate first = DateOf(start);
            if (icaltime_is_null_time(start) || !start.is_date || !first.isValid()) {
                continue;
            }
            // The end is exclusive. libical works it out from DURATION too, and gives the day
            // after the start when the event has neither.
            const QDate end = DateOf(icalcomponent_get_dtend(event));
            const qint64 days = end.isValid() ? first.daysTo(end) : 1;
            const bool recurring =
                icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY) != nullptr ||
                icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY) != nullptr;
            events.push_back({event, start, first, int(std::clamp<qint64>(days, 1, kMaxSteps)),
                              QString::fromUtf8(icalcomponent_get_summary(event)), recurring});
        }
    }
    return events;
}

struct Years {
    int first = 0;
    int last = 0;
};

// The years recurring events are expanded for. Holiday files list the years they are made
// for, often with the movable holidays written out for each year and the fixed ones as yearly
// rules that start in the year the holiday began; so the years of the written-out events are
// the ones meant, and an old rule does not fill decades. A file of rules alone names no year
// but where its rules start: the earliest start and the year after it.
Years YearsToExpand(const std::vector<AllDayEvent>& events) {
    if (events.empty()) {
        return {};
    }
    Years years{INT_MAX, INT_MIN};
    for (const AllDayEvent& event : events) {
        if (!event.recurring) {
            years.first = std::min(years.first, event.first.year());
            years.last = std::max(years.last, event.first.addDays(event.days - 1).year());
        }
    }
    if (years.first <= years.last) {
        return years;
    }
    for (const AllDayEvent& event : events) {
        years.first = std::min(years.first, event.first.year());
    }
    return {years.first, years.first + 1};
}

struct Expansion {
    std::vector<Holiday> holidays;
    long long steps = 0;

    // Counts one step of work; false once the file has used up what a calendar may take.
    bool step() { return ++steps <= kMaxSteps; }
    // The event's days from `first`.
    bool addDays(const AllDayEvent& event, QDate first) {
        for (int day = 0; day < event.days; ++day) {
            if (!step()) {
                return false;
            }
            const QDate date = first.addDays(day);
            if (date.isValid()) {
                holidays.push_back({date, event.name});
            }
        }
        return true;
    }
};

// One occurrence of a recurring event, unless it falls outside the years or an EXDATE drops it.
bool AddOccurrence(const AllDayEvent& event, icaltimetype at, Years years, Expansion& out) {
    const QDate date = DateOf(at);
    if (!date.isValid() || date.year() < years.first || date.year() > years.last) {
        return true;
    }
    icaltimetype start = event.start;
    if (icalproperty_recurrence_is_excluded(event.event, &start, &at) != 0) {
        return true;
    }
    return out.addDays(event, date);
}

icaltimetype DayOf(int year, int month, int day) {
    icaltimetype date = icaltime_null_date();
    date.year = year;
    date.month = month;
    date.day = day;
    return date;
}

bool ExpandRule(const AllDayEvent& event, icalproperty* property, Years years, Expansion& out) {
    // The rule ends with the last year and, unless it counts its occurrences from the start,
    // begins with the first, so that libical walks no other years.
    icalrecurrencetype rule = icalproperty_get_rrule(property);
    const icaltimetype lastDay = DayOf(years.last, 12, 31);
    if (icaltime_is_null_time(rule.until) || icaltime_compare(rule.until, lastDay) > 0) {
        rule.until = lastDay;
    }
    const RecurIterator occurrences(icalrecur_iterator_new(rule, event.start));
    // A rule libical cannot follow leaves the start alone.
    if (!occurrences) {
        return true;
    }
    if (rule.count == 0 && event.first.year() < years.first) {
        icalrecur_iterator_set_start(occurrences.get(), DayOf(years.first, 1, 1));
    }
    for (icaltimetype at = icalrecur_iterator_next(occurrences.get()); !icaltime_is_null_time(at);
         at = icalrecur_iterator_next(occurrences.get())) {
        if (!out.step() || !AddOccurrence(event, at, years, out)) {
            return false;
        }
    }
    return true;
}

// The event's properties of one kind, listed before they are used: the EXDATE check walks the
// event's properties with the one cursor an event has.
std::vector<icalproperty*> PropertiesOf(icalcomponent* event, icalproperty_kind kind) {
    std::vector<icalproperty*> properties;
    for (icalproperty* property = icalcomponent_get_first_property(event, kind);
         property != nullptr; property = icalcomponent_get_next_property(event, kind)) {
        properties.push_back(property);
    }
    return properties;
}

bool ExpandRecurring(const AllDayEvent& event, Years years, Expansion& out) {
    // The start is the first occurrence whether or not it fits the rule.
    if (!AddOccurrence(event, event.start, years, out)) {
        return false;
    }
    for (icalproperty* rule : PropertiesOf(event.event, ICAL_RRULE_PROPERTY)) {
        if (!ExpandRule(event, rule, years, out)) {
            return false;
        }
    }
    for (icalproperty* date : PropertiesOf(event.event, ICAL_RDATE_PROPERTY)) {
        const icaltimetype at = icalproperty_get_rdate(date).time;
        if (!icaltime_is_null_time(at) && !AddOccurrence(event, at, years, out)) {
            return false;
        }
    }
    return true;
}

HolidayRead Failed(const QString& hostPath, const QString& reason) {
    return {{}, hostPath + QStringLiteral(": ") + reason};
}

}  // namespace

HolidayRead ReadHolidayCalendar(const QString& hostPath) {
    std::string text;
    if (const QString reason = ReadLimited(hostPath, text); !reason.isEmpty()) {
        return Failed(hostPath, reason);
    }
    // A fault in the file is reported, never a reason to abort the program.
    icalerror_set_errors_are_fatal(0);
    const Component root(icalparser_parse_string(text.c_str()));
    const std::vector<icalcomponent*> calendars = CalendarsOf(root.get());
    if (calendars.empty()) {
        return Failed(hostPath, QStringLiteral("not an iCalendar file"));
    }
    const std::vector<AllDayEvent> events = AllDayEvents(calendars);
    const Years years = YearsToExpand(events);
    Expansion expansion;
    for (const AllDayEvent& event : events) {
        if (!(event.recurring ? ExpandRecurring(event, years, expansion)
                              : expansion.addDays(event, event.first))) {
            return Failed(hostPath, QStringLiteral("more days than a holiday calendar holds"));
        }
    }
    std::vector<Holiday>& holidays = expansion.holidays;
    std::stable_sort(holidays.begin(), holidays.end(),
                     [](const Holiday& a, const Holiday& b) { return a.date < b.date; });
    holidays.erase(std::unique(holidays.begin(), holidays.end(),
                               [](const Holiday& a, const Holiday& b) { return a.date == b.date; }),
                   holidays.end());
    return {std::move(holidays), QString()};
}

}  // namespace tallimer::platform
