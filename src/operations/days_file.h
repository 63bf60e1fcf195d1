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

// One content of the days file, as a change records it: its length and the SHA-256 of all of
// it (two books can differ in one word of the same length anywhere).
JournalMark DaysMark(std::string_view text);

// Replaces the days file with `text`, durably; false when it could not (reported).
bool WriteDaysFile(const QString& handheldPath, std::string_view text);

}  // namespace tallimer
