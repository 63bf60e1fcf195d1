#include "operations/absence.h"

#include "accounting/time_lists.h"

namespace tallimer {

namespace {
QString TwoDigits(int value) {
    return QString::number(value).rightJustified(2, u'0');
}
}  // namespace

void Absence::begin(const QDateTime& at, bool periodOpen) {
    if (!absent()) {
        since_ = at;
        openAtStart_ = periodOpen;
    }
}

void Absence::lock(const QDateTime& at, bool periodOpen) {
    begin(at, periodOpen);
    locked_ = true;
}

void Absence::sleep(const QDateTime& at, bool periodOpen) {
    begin(at, periodOpen);
    sleeping_ = true;
}

AbsenceRecords Absence::unlock(const QDateTime& at, const AbsenceRules& rules) {
    if (!locked_) {
        return {};  // a second source told the same, or the lock came before the program
    }
    locked_ = false;
    return absent() ? AbsenceRecords{} : end(at, rules);
}

AbsenceRecords Absence::resume(const QDateTime& at, const AbsenceRules& rules) {
    if (!sleeping_) {
        return {};
    }
    sleeping_ = false;
    return absent() ? AbsenceRecords{} : end(at, rules);
}

bool Absence::isLong(const QDateTime& until, const AbsenceRules& rules) const {
    // A clock set back makes the absence negative: nothing to record.
    return rules.records && since_.isValid() && since_.secsTo(until) > rules.thresholdSeconds;
}

AbsenceRecords Absence::end(const QDateTime& at, const AbsenceRules& rules) const {
    if (!isLong(at, rules)) {
        return {};
    }
    AbsenceRecords records;
    if (openAtStart_) {
        records.stopAt = since_;
    }
    records.startAtReturn = true;
    return records;
}

std::optional<QDateTime> Absence::stopAtEnd(const QDateTime& now, const AbsenceRules& rules) const {
    if (!absent() || !openAtStart_ || !isLong(now, rules)) {
        return std::nullopt;
    }
    return since_;
}

AbsenceEntryTime AbsenceStopTime(const QDateTime& at, int32_t minuteUnit) {
    const QTime time = at.time();
    const TimeListSelection shown = SelectTimeInLists(
        {static_cast<uint16_t>(time.hour()), static_cast<uint16_t>(time.minute())}, minuteUnit);
    if (shown.snapped.hour < 24) {
        return {at.date(), shown.hourText, TwoDigits(shown.snapped.minute)};
    }
    // 24:00 would be the next day's first minute on the old date, before the period's Start.
    const int unit = minuteUnit <= 0 ? 1 : minuteUnit;
    return {at.date(), TwoDigits(time.hour()), TwoDigits(time.minute() / unit * unit)};
}

}  // namespace tallimer
