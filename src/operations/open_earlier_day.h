#pragma once

#include <QDate>
#include <QString>
#include <cstdint>
#include <optional>

#include "journal/journal.h"

namespace tallimer {

// A period that a day before today left open: the day and the time of its last Start.
struct OpenPeriodStart {
    QDate date;
    int32_t start = 0;  // minutes
};

// The latest day before `today` with an odd number of lines, read once. Lines count per date
// in any order, as the scan of that date would pair them; only the dates left odd so far are
// kept. None when there is no such day or the journal cannot be read (the scan tells why).
std::optional<OpenPeriodStart> FindOpenEarlierDay(const Journal& journal, QDate today);

// "The period started on 2004/01/22 at 08:00 is still open."
QString OpenPeriodText(const OpenPeriodStart& open);

}  // namespace tallimer
