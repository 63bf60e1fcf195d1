#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <optional>

namespace tallimer {

// What an absence from the desktop leaves to record: after a long one, a Stop at its start
// (when a period was open then) and a Start at the return.
struct AbsenceRecords {
    std::optional<QDateTime> stopAt;  // the absence's start
    bool startAtReturn = false;       // an ordinary automatic Save at the clock

    bool operator==(const AbsenceRecords&) const = default;
};

// When an absence is recorded: in automatic mode with "Stop while the screen is locked" on,
// and only when it lasted longer than the threshold.
struct AbsenceRules {
    bool records = false;
    int64_t thresholdSeconds = 5 * 60;
};

// One absence from the desktop: from the first moment the screen is locked or the computer
// suspended until neither holds any more. A lock, a suspend, a resume and an unlock are one
// absence from the lock to the unlock; a resume with the screen still locked does not end it.
// Fed with the events and their times, it says what to record; it reads no clock itself.
class Absence {
  public:
    // `periodOpen`: whether a period is open on the date of `at`.
    void lock(const QDateTime& at, bool periodOpen);
    void sleep(const QDateTime& at, bool periodOpen);
    AbsenceRecords unlock(const QDateTime& at, const AbsenceRules& rules);
    AbsenceRecords resume(const QDateTime& at, const AbsenceRules& rules);

    bool absent() const { return locked_ || sleeping_; }
    // The program ends while absent: the time its automatic Stop takes instead of `now`, when
    // the absence is already longer than the threshold and began with a period open.
    std::optional<QDateTime> stopAtEnd(const QDateTime& now, const AbsenceRules& rules) const;

  private:
    void begin(const QDateTime& at, bool periodOpen);
    AbsenceRecords end(const QDateTime& at, const AbsenceRules& rules) const;
    bool isLong(const QDateTime& until, const AbsenceRules& rules) const;

    bool locked_ = false;
    bool sleeping_ = false;
    QDateTime since_;
    bool openAtStart_ = false;
};

// The entry the Stop at `at` writes: its date, and the time as the time lists round the clock
// to `minuteUnit`. A time that rounding would carry to midnight stays on its own date, at the
// last time of the unit before midnight.
struct AbsenceEntryTime {
    QDate date;
    QString hourText;
    QString minuteText;
};
AbsenceEntryTime AbsenceStopTime(const QDateTime& at, int32_t minuteUnit);

}  // namespace tallimer
