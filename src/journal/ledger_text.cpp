#include "journal/ledger_text.h"

#include <QString>
#include <array>
#include <charconv>

namespace tallimer {

namespace {

constexpr std::array<std::string_view, 12> kReasonNames = {
    "opening", "correction",    "stop",    "remove",   "edit",         "undo",
    "setup",   "new-month-cap", "day-off", "holidays", "working-week", "days-file",
};

constexpr char kWhenFormat[] = "yyyy/MM/dd HH:mm:ss";
constexpr char kDateFormat[] = "yyyy/MM/dd";
constexpr std::string_view kRangeMark = "..";

std::optional<int32_t> ParseMinutes(std::string_view text) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

QDate ParseDate(std::string_view text) {
    return QDate::fromString(QString::fromLatin1(text.data(), qsizetype(text.size())),
                             QLatin1String(kDateFormat));
}

}  // namespace

std::string_view LedgerReasonName(LedgerReason reason) {
    return kReasonNames[size_t(reason)];
}

std::optional<LedgerReason> LedgerReasonNamed(std::string_view name) {
    for (size_t i = 0; i < kReasonNames.size(); ++i) {
        if (kReasonNames[i] == name) {
            return LedgerReason(i);
        }
    }
    return std::nullopt;
}

QByteArray FormatLedgerLine(const LedgerLine& line) {
    QByteArray text = line.when.toString(QLatin1String(kWhenFormat)).toLatin1();
    text += '\t' + line.from.toString(QLatin1String(kDateFormat)).toLatin1();
    if (line.to != line.from) {
        text += QByteArray(kRangeMark.data(), qsizetype(kRangeMark.size())) +
                line.to.toString(QLatin1String(kDateFormat)).toLatin1();
    }
    const std::string_view reason = LedgerReasonName(line.reason);
    text += '\t' + QByteArray(reason.data(), qsizetype(reason.size()));
    text +=
        '\t' + (line.change > 0 ? QByteArray("+") : QByteArray()) + QByteArray::number(line.change);
    text += '\t' + QByteArray::number(line.balance) + '\n';
    return text;
}

std::optional<LedgerLine> ParseLedgerLine(std::string_view text) {
    if (!text.empty() && text.back() == '\r') {
        text.remove_suffix(1);
    }
    std::array<std::string_view, 5> fields;
    for (size_t i = 0; i < fields.size(); ++i) {
        const size_t tab = text.find('\t');
        if ((tab == std::string_view::npos) != (i + 1 == fields.size())) {
            return std::nullopt;
        }
        fields[i] = text.substr(0, tab);
        text.remove_prefix(tab == std::string_view::npos ? text.size() : tab + 1);
    }
    LedgerLine line;
    line.when =
        QDateTime::fromString(QString::fromLatin1(fields[0].data(), qsizetype(fields[0].size())),
                              QLatin1String(kWhenFormat));
    const size_t range = fields[1].find(kRangeMark);
    line.from = ParseDate(fields[1].substr(0, range));
    line.to = range == std::string_view::npos
                  ? line.from
                  : ParseDate(fields[1].substr(range + kRangeMark.size()));
    const std::optional<LedgerReason> reason = LedgerReasonNamed(fields[2]);
    const bool named = reason.has_value();
    line.reason = reason.value_or(LedgerReason::Opening);
    const std::optional<int32_t> change = ParseMinutes(fields[3]);
    const std::optional<int32_t> balance = ParseMinutes(fields[4]);
    if (!line.when.isValid() || !line.from.isValid() || !line.to.isValid() || line.to < line.from ||
        !named || !change || !balance) {
        return std::nullopt;
    }
    line.change = *change;
    line.balance = *balance;
    return line;
}

LedgerText ReadLedgerText(std::string_view text) {
    LedgerText read;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        if (end == std::string_view::npos) {
            break;  // a write that did not finish, or one a later append completes
        }
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end + 1);
        if (line.empty() || line.front() == '#') {
            continue;
        }
        if (std::optional<LedgerLine> parsed = ParseLedgerLine(line)) {
            read.lines.push_back(*parsed);
        } else {
            ++read.unreadLines;
        }
    }
    return read;
}

}  // namespace tallimer
