#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "journal/days_text.h"
#include "journal/journal_mark.h"

namespace tallimer {

// The days file beside the journal ("Tallimer.days"), read whole: it is a few lines a year.
struct DaysFileRead {
    std::string text;
    DaysBook book;
    int error = 0;  // 0, ENOENT for no file (no days off, no week plan), else why it failed
    int unreadLines = 0;
};
// A file larger than any days file a person keeps is refused (EFBIG) rather than read.
DaysFileRead ReadDaysFile(const QString& handheldPath);

// The days file's content that the balance has booked, kept beside it as "<days file>.booked":
// a change made by hand differs from it until the program books it. A change of days moves this
// copy and the balance together, so a crash between days file and copy only leaves a change to
// book later.
QString BookedDaysPath(const QString& daysPath);
// The booked content: the copy, or, where there is none yet, the days file itself.
DaysFileRead ReadBookedDays(const QString& daysPath);
// Replaces the booked copy with `text`, durably; false when it could not (reported).
bool WriteBookedDays(const QString& daysPath, std::string_view text);
// At the window's start: where there is no booked copy yet, the days file as it is (or none)
// becomes it, so that from then on a change by hand shows. A folder from before the copy was
// kept has every change booked already. False when the copy could not be written (reported).
bool AdoptDaysFile(const QString& daysPath);

// One content of the days file, as a change records it: its length and the SHA-256 of all of
// it (two books can differ in one word of the same length anywhere).
JournalMark DaysMark(std::string_view text);

// Replaces the days file with `text`, durably; false when it could not (reported).
bool WriteDaysFile(const QString& handheldPath, std::string_view text);

}  // namespace tallimer
