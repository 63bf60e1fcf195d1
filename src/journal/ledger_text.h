#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tallimer {

// Why the balance changed. Opening: the balance as the ledger found it; correction: the
// balance differed from the ledger's last line (a hand edit, a restore) and the ledger follows.
enum class LedgerReason {
    Opening,
    Correction,
    Stop,
    Remove,
    Edit,
    Undo,
    Setup,
    NewMonthCap,
    DayOff,
    Holidays,
    WorkingWeek,
    DaysFile,
};

// A line of the ledger ("Tallimer.ledger" beside the journal), fields apart by tabs:
//   2026/12/07 17:15:03<TAB>2026/12/07<TAB>stop<TAB>-30<TAB>125
// when it was written, the day it concerns (a range "FROM..TO" for days off), the reason, the
// change and the new balance in minutes. The ledger explains the balance; it never sets it.
struct LedgerLine {
    QDateTime when;
    QDate from;
    QDate to;  // the same as `from` for one day
    LedgerReason reason = LedgerReason::Opening;
    int32_t change = 0;
    int32_t balance = 0;
    bool operator==(const LedgerLine&) const = default;
};

QByteArray FormatLedgerLine(const LedgerLine& line);
// A line without its line end; nullopt for one that is not a ledger line.
std::optional<LedgerLine> ParseLedgerLine(std::string_view line);

// The reasons' names in the file and in tallimer-report's records.
std::string_view LedgerReasonName(LedgerReason reason);
// The reason of a name; nullopt for none.
std::optional<LedgerReason> LedgerReasonNamed(std::string_view name);

// The ledger's complete lines in order; lines that cannot be read (a hand edit) are counted and
// left out, and a last line without its line end (a write that did not finish) is left out.
struct LedgerText {
    std::vector<LedgerLine> lines;
    int unreadLines = 0;
};
LedgerText ReadLedgerText(std::string_view text);

}  // namespace tallimer
