#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <string>
#include <string_view>

#include "model/settings.h"
#include "operations/settings_store.h"
#include "platform/file.h"

namespace tallimer {

// A change of the settings in flight, and with it a change of the journal when the balance
// follows one. It is written to "Tallimer.intent" in the device folder before anything
// changes and removed once journal, registry and settings file all hold the change; one that
// a crash left is finished or dropped by LoadSettings.

// One content of the journal: its length and the SHA-256 of its last bytes. The journal only
// changes under its lock, by one append or one rename, so its length tells the two contents of
// a change apart and the tail catches a journal changed by something else meanwhile; neither
// needs the whole journal read.
struct JournalMark {
    long long length = -1;
    QByteArray tailHash;
    bool operator==(const JournalMark&) const = default;
};
inline constexpr long long kMarkWindow = 4096;

// `end` holds at least the last min(length, kMarkWindow) bytes of a content of `length` bytes.
JournalMark MarkOf(std::string_view end, long long length);

// The last min(end, kMarkWindow) bytes of the journal's first `end` bytes; nullopt when they
// cannot be read.
std::optional<std::string> JournalTail(platform::File& journal, long long end);
// The mark of the journal's first `end` bytes, read through the open journal.
std::optional<JournalMark> MarkAt(platform::File& journal, long long end);

enum class JournalChange { None, Append, Replace };

struct ChangeIntent {
    QString databaseDirectory;
    Settings after;   // the settings once the change is done
    Settings before;  // the settings that belong to the journal as it was
    JournalChange change = JournalChange::None;
    JournalMark oldJournal;
    JournalMark newJournal;
};

QByteArray FormatIntent(const ChangeIntent& intent);
std::optional<ChangeIntent> ParseIntent(std::string_view bytes);
// Also nullopt for a record that no change of this program writes (values out of what they
// can be).
std::optional<ChangeIntent> ParsePlausibleIntent(std::string_view bytes);

// DeviceFolder()/Tallimer.intent.
QString IntentFilePath();
bool IntentExists();
// Written durably (temporary, fsync, rename); false when it could not be.
bool WriteIntent(const ChangeIntent& intent);
bool RemoveIntent();

// A journal change with its balance change, as one transaction. Begin before touching the
// journal: false means nothing may change. Then either Abandon (the journal kept its content)
// or Complete (store.settings hold `after`): the settings are saved and the intent removed; a
// save that fails keeps the intent for the next start and says so on standard error.
class BalanceChange {
  public:
    bool Begin(const SettingsStore& store, const Settings& after, JournalChange change,
               const JournalMark& oldJournal, const JournalMark& newJournal);
    void Abandon();
    // False when the settings could not be saved (reported; the intent stays).
    bool Complete(const SettingsStore& store);

  private:
    // An intent of an earlier failed save: this one's `before` now stands in for it, so it
    // stays when this change is abandoned.
    bool earlierPending_ = false;
};

// Finishes (the journal holds the change: its settings are saved) or drops (the journal is as
// before: the settings from before are saved) an intent a crash left, and sets `store` to the
// outcome. Nothing is applied twice: the intent holds whole values, not differences.
void FinishLeftoverIntent(SettingsStore& store);

}  // namespace tallimer
