#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "model/days_book.h"
#include "operations/change_days.h"
#include "operations/settings_store.h"

namespace tallimer {

// A change of the days off asked for on the command line, applied by the program itself or,
// while a window runs for the device folder, handed to that window.
struct DayOffRequest {
    enum class Action : uint8_t { Mark, Clear, Import };
    Action action = Action::Mark;
    QDate from;
    QDate to;  // inclusive, not before `from`
    DayOffKind kind = DayOffKind::Vacation;
    bool half = false;
    std::vector<QDate> holidays;  // Import: the calendar's dates, each once
    bool operator==(const DayOffRequest&) const = default;
};

// The edit of the book: a mark covers the range's dates as DayOffDates picks them, a clear
// every date of the range, an import the calendar's workdays as whole holidays. The workdays
// are those of the book as the edit finds it.
DaysEdit EditOf(const DayOffRequest& request);
// What the ledger's line of the request names: a calendar's holidays or a day off.
LedgerReason LedgerReasonOf(const DayOffRequest& request);

// The request as one line of printable ASCII (no newline), and back; nullopt for a line that
// is no request.
QByteArray RequestText(const DayOffRequest& request);
std::optional<DayOffRequest> RequestOfText(QByteArrayView text);

// What the command prints and its exit code: 0 with the balance line on standard output, or 1
// with the message for standard error.
struct DayOffReply {
    int exitCode = 0;
    QString text;
    bool operator==(const DayOffReply&) const = default;
};
DayOffReply ReplyOf(DaysOutcome outcome, const SettingsStore& store);
// The reply as one line (no newline), and back.
QByteArray ReplyText(const DayOffReply& reply);
std::optional<DayOffReply> ReplyOfText(QByteArrayView text);

}  // namespace tallimer
