#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace tallimer {

// Columns of a journal line.
namespace JournalColumn {
constexpr size_t Day = 8;       // the day of month
constexpr size_t DateEnd = 10;  // the date is columns 0 to 9
constexpr size_t Kind = 10;     // space: Start, TAB: Stop
constexpr size_t Hour = 10;     // read from the kind marker on, blanks skipped
constexpr size_t Time = 11;     // HH:MM, columns 11 to 15
constexpr size_t Minute = 14;
constexpr size_t TimeEnd = 16;  // the TAB before the project
constexpr size_t Project = 17;  // to the end of the line
}  // namespace JournalColumn

// How the readers take a journal line apart. A line here is the bytes of one line:
// the byte in front of its LF (normally the CR) cut off and the text ending at a NUL byte.
// A column beyond the line's end holds nothing: number 0, empty text.

// The text of a line from the bytes in front of its LF; `mayHoldNul` false when the reader
// knows the bytes hold no NUL byte, which spares the search for one.
std::string_view CutLine(std::string_view bytesBeforeLf, bool mayHoldNul = true);

// "%d/%02d/%02d" of a date: the selected date text.
QString SelectedDateText(QDate date);
// The selected date text in the code page (at most 10 bytes): the date key.
QByteArray DateKey(QStringView selectedDateText);
// Its first seven bytes: the month key.
QByteArray MonthKey(const QByteArray& dateKey);

// Entry time: integer at column 10 x 60 + integer at column 14, in minutes.
int32_t EntryTime(std::string_view line);
// A tab at column 10 marks a Stop entry.
bool IsStopLine(std::string_view line);
// The project text: column 17 to the end.
std::string_view ProjectBytes(std::string_view line);
// The integer at `column`, 0 beyond the line's end.
int32_t IntegerAt(std::string_view line, size_t column);

// The scan compares every line with the month key (seven bytes for a four-digit year) and
// many with the date key (ten). Compared at a size known here, these are a few instructions;
// a call to memcmp would cost more than the rest of the line's work.
template <size_t N>
inline bool HeadIs(std::string_view line, std::string_view key) {
    return std::memcmp(line.data(), key.data(), N) == 0;
}

inline bool StartsWith(std::string_view line, std::string_view key) {
    if (line.size() >= key.size()) {
        switch (key.size()) {
            case 7:
                return HeadIs<7>(line, key);
            case 10:
                return HeadIs<10>(line, key);
        }
    }
    return line.substr(0, key.size()) == key;
}

// line >= key, comparing bytes unsigned as memcmp does.
inline bool SortsNotBefore(std::string_view line, std::string_view key) {
    if (key.size() == 7 && line.size() >= 7) {
        return std::memcmp(line.data(), key.data(), 7) >= 0;
    }
    return line.compare(key) >= 0;
}

// The project text as a line takes it: its first 79 characters, a character outside the
// Basic Multilingual Plane (two UTF-16 units) counting as one and never cut apart.
QString LimitedProject(QStringView projectText);

// The entry line (string 61224) in UTF-8, byte 10 a TAB for a Stop.
QByteArray FormatEntryLine(QDate date, QStringView hourText, QStringView minuteText,
                           QStringView projectText, bool stop);
// The header line (string 61223), ASCII.
QByteArray JournalHeaderLine();

}  // namespace tallimer
