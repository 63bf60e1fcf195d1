#include "operations/change_intent.h"

#include <QFileInfo>
#include <QList>
#include <algorithm>
#include <map>
#include <string>

#include "accounting/balance.h"
#include "journal/journal.h"
#include "operations/days_file.h"
#include "platform/clock.h"
#include "platform/device_folder.h"
#include "platform/diagnostics.h"
#include "platform/host_file.h"
#include "platform/own_file.h"

namespace tallimer {

namespace {

constexpr char kFinishOperation[] = "finish unfinished change";

// An intent is a few hundred bytes; anything longer is not one.
constexpr long long kIntentLimit = 4096;
// The most one Save appends: the header of a new journal and one entry line, with room.
constexpr long long kMostAppended = 1024;
// A change's ledger line, with an opening line and a line end before it.
constexpr qsizetype kMostLedgerAppend = 512;
// The database directory is a buffer of 260 characters, terminator included.
constexpr qsizetype kMostDirectoryLength = 259;

const char* ChangeName(JournalChange change) {
    switch (change) {
        case JournalChange::Append:
            return "append";
        case JournalChange::Replace:
            return "replace";
        case JournalChange::Days:
            return "days";
        case JournalChange::None:
            break;
    }
    return "none";
}

QByteArray MarkText(const JournalMark& mark) {
    return QByteArray::number(mark.length) + ' ' + mark.tailHash.toHex();
}

std::optional<JournalMark> ParseMark(const QByteArray& text) {
    const QList<QByteArray> parts = text.split(' ');
    bool ok = false;
    JournalMark mark;
    if (parts.size() == 2) {
        mark.length = parts[0].toLongLong(&ok);
        mark.tailHash = QByteArray::fromHex(parts[1]);
    }
    if (!ok || mark.length < 0 || mark.tailHash.size() != 32) {
        return std::nullopt;
    }
    return mark;
}

std::optional<Settings> ParseRecord(const QByteArray& hex) {
    const QByteArray record = QByteArray::fromHex(hex);
    if (record.size() != kSettingsRecordSize) {
        return std::nullopt;
    }
    Settings settings;
    SettingsFromRecord(settings, record);
    return settings;
}

// Whether the intent is one a change of this program writes: a settings save changes
// nothing between its two sides, a journal change only the balance, by what one day's
// booking can, and an append adds one line. Anything else is not acted on.
bool IsPlausible(const ChangeIntent& intent) {
    if (intent.databaseDirectory.size() > kMostDirectoryLength ||
        intent.ledger.bytes.size() > kMostLedgerAppend ||
        std::any_of(intent.databaseDirectory.cbegin(), intent.databaseDirectory.cend(),
                    [](QChar c) { return c.unicode() < 0x20; })) {
        return false;
    }
    if (intent.change == JournalChange::None) {
        return intent.after == intent.before;
    }
    Settings balanceAside = intent.after;
    balanceAside.flexBalance = intent.before.flexBalance;
    // A change of days off or week plans books any number of days.
    if (balanceAside != intent.before ||
        (intent.change != JournalChange::Days &&
         !IsOneDaysBalanceChange(int64_t(intent.after.flexBalance) - intent.before.flexBalance,
                                 intent.before))) {
        return false;
    }
    return intent.change != JournalChange::Append ||
           (intent.newJournal.length > intent.oldJournal.length &&
            intent.newJournal.length - intent.oldJournal.length <= kMostAppended);
}

enum class Found { Old, New, Neither };

// Which side of the change the journal is on. A Stop's line that a crash left half-written
// (the failed write's cut-back never ran) is cut back here, as that save would have done.
Found Examine(Journal::Writer& journal, const ChangeIntent& intent) {
    const long long length = journal.length();
    if (length == intent.newJournal.length && journal.markAt(length) == intent.newJournal) {
        return Found::New;
    }
    if (length == intent.oldJournal.length && journal.markAt(length) == intent.oldJournal) {
        return Found::Old;
    }
    if (intent.change == JournalChange::Append && length > intent.oldJournal.length &&
        length < intent.newJournal.length &&
        journal.markAt(intent.oldJournal.length) == intent.oldJournal &&
        journal.cutBack(intent.oldJournal.length)) {
        return Found::Old;
    }
    return Found::Neither;
}

// Which side of a days change the booked copy of the days file is on; no file is an empty one.
Found ExamineDays(const QString& daysPath, const ChangeIntent& intent) {
    const DaysFileRead read = ReadBookedDays(daysPath);
    if (read.error != 0 && read.error != ENOENT) {
        return Found::Neither;
    }
    const JournalMark mark = DaysMark(read.text);
    return mark == intent.newJournal   ? Found::New
           : mark == intent.oldJournal ? Found::Old
                                       : Found::Neither;
}

}  // namespace

QByteArray FormatIntent(const ChangeIntent& intent) {
    QByteArray text;
    text += "directory=" + intent.databaseDirectory.toUtf8().toPercentEncoding() + '\n';
    text += "after=" + SettingsToRecord(intent.after).toHex() + '\n';
    text += "before=" + SettingsToRecord(intent.before).toHex() + '\n';
    text += QByteArray("journal=") + ChangeName(intent.change) + '\n';
    text += "old=" + MarkText(intent.oldJournal) + '\n';
    text += "new=" + MarkText(intent.newJournal) + '\n';
    if (intent.ledger.at >= 0) {
        text += "ledger-at=" + QByteArray::number(intent.ledger.at) + '\n';
        text += "ledger=" + intent.ledger.bytes.toHex() + '\n';
    }
    return text;
}

std::optional<ChangeIntent> ParseIntent(std::string_view bytes) {
    std::map<QByteArray, QByteArray> fields;
    for (const QByteArray& line : QByteArray(bytes.data(), qsizetype(bytes.size())).split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0) {
            fields[line.left(equals)] = line.mid(equals + 1);
        }
    }
    for (const char* key : {"directory", "after", "before", "journal", "old", "new"}) {
        if (!fields.contains(key)) {
            return std::nullopt;
        }
    }
    ChangeIntent intent;
    intent.databaseDirectory =
        QString::fromUtf8(QByteArray::fromPercentEncoding(fields["directory"]));
    const auto after = ParseRecord(fields["after"]);
    const auto before = ParseRecord(fields["before"]);
    const QByteArray change = fields["journal"];
    if (!after || !before) {
        return std::nullopt;
    }
    intent.after = *after;
    intent.before = *before;
    if (fields.contains("ledger-at")) {
        bool ok = false;
        intent.ledger.at = fields["ledger-at"].toLongLong(&ok);
        intent.ledger.bytes = QByteArray::fromHex(fields["ledger"]);
        if (!ok || intent.ledger.at < 0 || intent.ledger.bytes.isEmpty()) {
            return std::nullopt;
        }
    }
    if (change == ChangeName(JournalChange::None)) {
        return intent;
    }
    if (change == ChangeName(JournalChange::Append)) {
        intent.change = JournalChange::Append;
    } else if (change == ChangeName(JournalChange::Replace)) {
        intent.change = JournalChange::Replace;
    } else if (change == ChangeName(JournalChange::Days)) {
        intent.change = JournalChange::Days;
    } else {
        return std::nullopt;
    }
    const auto oldJournal = ParseMark(fields["old"]);
    const auto newJournal = ParseMark(fields["new"]);
    if (!oldJournal || !newJournal) {
        return std::nullopt;
    }
    intent.oldJournal = *oldJournal;
    intent.newJournal = *newJournal;
    return intent;
}

std::optional<ChangeIntent> ParsePlausibleIntent(std::string_view bytes) {
    std::optional<ChangeIntent> intent = ParseIntent(bytes);
    return intent && IsPlausible(*intent) ? intent : std::nullopt;
}

QString IntentFilePath() {
    return platform::DeviceFolder() + QStringLiteral("/Tallimer.intent");
}

bool IntentExists() {
    const QFileInfo info(IntentFilePath());
    return info.exists() || info.isSymLink();
}

bool WriteIntent(const ChangeIntent& intent) {
    const QByteArray text = FormatIntent(intent);
    if (!platform::Replacement::ForOwnFile(IntentFilePath())
             .commitWith(std::string_view(text.constData(), size_t(text.size())))) {
        platform::ReportHostFailure("write intent", IntentFilePath(),
                                    platform::SystemReason(errno));
        return false;
    }
    return true;
}

bool RemoveIntent() {
    if (!platform::RemoveHostFile(IntentFilePath())) {
        platform::ReportHostFailure("remove intent", IntentFilePath(),
                                    platform::SystemReason(errno));
        return false;
    }
    return true;
}

bool BalanceChange::Begin(const SettingsStore& store, const Settings& after, JournalChange change,
                          const JournalMark& oldJournal, const JournalMark& newJournal,
                          const LedgerNote& note) {
    earlierPending_ = IntentExists();
    ledger_ = PlanLedgerAppend(store.ledgerPath, note, store.settings.flexBalance,
                               after.flexBalance, platform::LocalNow());
    return WriteIntent(
        {store.databaseDirectory, after, store.settings, change, oldJournal, newJournal, ledger_});
}

void BalanceChange::Abandon() {
    if (!earlierPending_) {
        RemoveIntent();
    }
}

bool BalanceChange::Complete(const SettingsStore& store) {
    // The ledger explains the balance, never decides it: a line it could not take is mended by
    // the next start's check.
    CommitLedgerAppend(store.ledgerPath, ledger_);
    // A removal that fails leaves an intent the next start finishes again, to the same values.
    if (!StoreSettings(store)) {
        return false;
    }
    RemoveIntent();
    return true;
}

void FinishLeftoverIntent(SettingsStore& store) {
    const QString path = IntentFilePath();
    platform::RemoveStaleReplacementsOfOwnFile(path);
    std::string bytes;
    switch (platform::ReadOwnFile(path, kIntentLimit, bytes)) {
        case platform::OwnRead::Read:
            break;
        case platform::OwnRead::Missing:
            return;
        case platform::OwnRead::Foreign:
            platform::RemoveForeign(kFinishOperation, path, errno);
            return;
        case platform::OwnRead::Failed:
            platform::ReportHostFailure(kFinishOperation, path, platform::SystemReason(errno));
            return;
    }
    const std::optional<ChangeIntent> intent = ParsePlausibleIntent(bytes);
    if (!intent) {
        platform::ReportHostFailure(kFinishOperation, path,
                                    QStringLiteral("not a change record; removed"));
        RemoveIntent();
        return;
    }
    SettingsStore healed = store;
    healed.databaseDirectory = intent->databaseDirectory;
    BuildFilePaths(healed);
    healed.settings = intent->after;
    // Held locked until the settings are saved, so no other change runs meanwhile.
    const Journal journalFile(healed.journalPath);
    std::optional<Journal::Writer> journal;
    if (intent->change != JournalChange::None) {
        journal.emplace(journalFile.openExisting());
        if (!journal->isOpen() && journalFile.exists()) {
            // In use: the program that holds it is in this change and completes it.
            return;
        }
        const Found found = intent->change == JournalChange::Days
                                ? ExamineDays(healed.daysFilePath, *intent)
                            : journal->isOpen() ? Examine(*journal, *intent)
                                                : Found::Neither;
        if (found != Found::Neither) {
            SettleLedgerAppend(healed.ledgerPath, intent->ledger, found == Found::New);
        }
        if (found == Found::Old) {
            healed.settings = intent->before;
        } else if (found == Found::Neither) {
            // Neither side's balance belongs to it; what was loaded is saved to both stores.
            platform::ReportHostFailure(
                kFinishOperation, platform::HostPath(healed.journalPath),
                QStringLiteral("changed since an unfinished change; balance kept"));
            healed = store;
        }
    }
    if (intent->change == JournalChange::None) {
        SettleLedgerAppend(healed.ledgerPath, intent->ledger, true);
    }
    store = healed;
    if (StoreSettings(store)) {
        RemoveIntent();
    }
}

}  // namespace tallimer
