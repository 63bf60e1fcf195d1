#include "cli/ledger_view.h"

#include <algorithm>

#include "accounting/time_text.h"
#include "journal/journal_line.h"

namespace tallimer {

namespace {

QString DaysText(const LedgerLine& line) {
    QString text = SelectedDateText(line.from);
    if (line.to != line.from) {
        text += QStringLiteral("..") + SelectedDateText(line.to);
    }
    return text;
}

QString ReasonText(const LedgerLine& line) {
    const std::string_view name = LedgerReasonName(line.reason);
    return QString::fromLatin1(name.data(), qsizetype(name.size()));
}

}  // namespace

std::vector<LedgerLine> LedgerLinesOf(const std::vector<LedgerLine>& lines,
                                      std::optional<QDate> month) {
    if (!month) {
        return lines;
    }
    std::vector<LedgerLine> kept;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(kept),
                 [&month](const LedgerLine& line) {
                     const QDate date = line.when.date();
                     return date.year() == month->year() && date.month() == month->month();
                 });
    return kept;
}

void PrintLedger(QTextStream& out, const std::vector<LedgerLine>& lines) {
    out << "When                 Days                    Reason         Change   Balance\n";
    for (const LedgerLine& line : lines) {
        out << line.when.toString(u"yyyy/MM/dd HH:mm:ss") << "  "
            << DaysText(line).leftJustified(22) << "  " << ReasonText(line).leftJustified(13)
            << "  " << SignedTimeText(line.change) << "  " << SignedTimeText(line.balance) << '\n';
    }
}

void WriteLedgerRecords(QTextStream& out, RecordFormat format,
                        const std::vector<LedgerLine>& lines) {
    RecordWriter writer(out, format,
                        {{"ledger", {"when", "from", "to", "reason", "change", "balance"}}});
    writer.BeginSet(0);
    for (const LedgerLine& line : lines) {
        const QString when = line.when.toString(Qt::ISODate);
        const QString from = line.from.toString(Qt::ISODate);
        const QString to = line.to.toString(Qt::ISODate);
        const QString reason = ReasonText(line);
        writer.Write({when, from, to, reason, int64_t{line.change}, int64_t{line.balance}});
    }
    writer.Finish();
}

}  // namespace tallimer
