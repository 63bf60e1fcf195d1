#include "operations/ledger_file.h"

#include <QFile>
#include <QSaveFile>
#include <cerrno>
#include <string_view>

#include "base/saturating.h"
#include "platform/device_folder.h"
#include "platform/diagnostics.h"
#include "platform/file.h"

namespace tallimer {

namespace {

constexpr char kOperation[] = "ledger";
// A line per change of the balance: a working life's ledger stays well under this.
constexpr qint64 kLargestLedger = 64LL << 20;

int ErrorOf(const QFileDevice& file) {
    return file.error() == QFileDevice::NoError ? 0 : errno != 0 ? errno : EIO;
}

// The ledger open for reading (missing: ENOENT) or, with `create`, for appending. It is opened
// apart from the journal's files, without their locks: what happens to it never decides whether
// a change of the journal and the balance succeeds.
int Open(QFile& file, const QString& ledgerPath, bool create) {
    return platform::OpenPlainFile(file, ledgerPath, create) ? 0 : errno != 0 ? errno : EIO;
}

LedgerLine LineOf(const LedgerNote& note, int32_t change, int32_t balance, const QDateTime& when) {
    return {when, note.from, note.to.isValid() ? note.to : note.from, note.reason, change, balance};
}

QByteArray OpeningLine(int32_t balance, const QDateTime& when) {
    return FormatLedgerLine(
        LineOf({LedgerReason::Opening, when.date(), {}}, balance, balance, when));
}

bool Write(QFile& file, qint64 at, const QByteArray& bytes) {
    return file.seek(at) && file.write(bytes) == bytes.size() && file.flush();
}

// `lines` appended at the ledger's end, after an opening line with `opening` where it holds no
// line yet, and after a line end where its last line has none (a hand edit).
LedgerAppend Plan(const QString& ledgerPath, const QByteArray& lines, int32_t opening,
                  const QDateTime& when) {
    QFile file;
    QByteArray text;
    const int error = Open(file, ledgerPath, false);
    if (error != ENOENT) {
        if (error != 0 || file.size() > kLargestLedger) {
            platform::ReportFailure(kOperation, ledgerPath, error != 0 ? error : EFBIG);
            return {};
        }
        text = file.readAll();
    }
    LedgerAppend append{text.size(), text.isEmpty() || text.endsWith('\n') ? QByteArray() : "\n"};
    if (ReadLedgerText(std::string_view(text.constData(), size_t(text.size()))).lines.empty()) {
        append.bytes += OpeningLine(opening, when);
    }
    append.bytes += lines;
    return append;
}

}  // namespace

LedgerAppend PlanLedgerAppend(const QString& ledgerPath, const LedgerNote& note, int32_t before,
                              int32_t after, const QDateTime& when) {
    if (before == after) {
        return {};
    }
    return Plan(ledgerPath, FormatLedgerLine(LineOf(note, SatSub(after, before), after, when)),
                before, when);
}

bool CommitLedgerAppend(const QString& ledgerPath, const LedgerAppend& append) {
    if (append.at < 0) {
        return true;
    }
    QFile file;
    if (const int error = Open(file, ledgerPath, true); error != 0) {
        platform::ReportFailure(kOperation, ledgerPath, error);
        return false;
    }
    if (file.size() != append.at) {
        // Written since the plan: the start's check follows the balance instead.
        platform::ReportFailure(kOperation, ledgerPath, EAGAIN);
        return false;
    }
    if (!Write(file, append.at, append.bytes)) {
        platform::ReportFailure(kOperation, ledgerPath, ErrorOf(file));
        return false;
    }
    return true;
}

void SettleLedgerAppend(const QString& ledgerPath, const LedgerAppend& append, bool done) {
    if (append.at < 0) {
        return;
    }
    QFile file;
    const int error = Open(file, ledgerPath, false);
    if (error == ENOENT && done && append.at == 0) {
        CommitLedgerAppend(ledgerPath, append);  // the crash came before its creation
        return;
    }
    file.close();
    if (error != 0 || Open(file, ledgerPath, true) != 0 || file.size() < append.at ||
        file.size() > append.at + append.bytes.size() || !file.seek(append.at)) {
        return;  // not this change's bytes: the start's check follows the balance
    }
    if (!append.bytes.startsWith(file.readAll())) {
        return;
    }
    if (!file.resize(append.at) || (done && !Write(file, append.at, append.bytes))) {
        platform::ReportFailure(kOperation, ledgerPath, ErrorOf(file));
    }
}

LedgerRead ReadLedger(const QString& ledgerPath) {
    LedgerRead read;
    QFile file;
    read.error = Open(file, ledgerPath, false);
    if (read.error == 0 && file.size() > kLargestLedger) {
        read.error = EFBIG;
    }
    if (read.error != 0) {
        if (read.error != ENOENT) {
            platform::ReportFailure(kOperation, ledgerPath, read.error);
        }
        return read;
    }
    const QByteArray text = file.readAll();
    read.text = ReadLedgerText(std::string_view(text.constData(), size_t(text.size())));
    return read;
}

std::optional<int32_t> CheckLedger(const QString& ledgerPath, int32_t balance,
                                   const QDateTime& when) {
    const LedgerRead read = ReadLedger(ledgerPath);
    if (read.error != 0 && read.error != ENOENT) {
        return std::nullopt;
    }
    std::optional<int32_t> corrected;
    if (!read.text.lines.empty()) {
        corrected = read.text.lines.back().balance;
        if (*corrected == balance) {
            return std::nullopt;
        }
    }
    const LedgerAppend append =
        corrected ? PlanLedgerAppend(ledgerPath, {LedgerReason::Correction, when.date(), {}},
                                     *corrected, balance, when)
                  : Plan(ledgerPath, {}, balance, when);
    if (append.at != 0) {
        CommitLedgerAppend(ledgerPath, append);
        return corrected;
    }
    // A new ledger appears whole or not at all: no intent guards its first line.
    QSaveFile file(platform::HostPath(ledgerPath));
    if (!file.open(QIODevice::WriteOnly) || file.write(append.bytes) != append.bytes.size() ||
        !file.commit()) {
        platform::ReportFailure(kOperation, ledgerPath, ErrorOf(file));
    }
    return corrected;
}

}  // namespace tallimer
