#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <string_view>

#include "journal/journal_mark.h"
#include "model/settings.h"
#include "operations/ledger_file.h"
#include "operations/settings_store.h"

namespace tallimer {

// A change of the settings in flight, and with it a change of the journal when the balance
// follows one. It is written to "Tallimer.intent" in the device folder before anything
// changes and removed once journal, registry and settings file all hold the change; one that
// a crash left is finished or dropped by LoadSettings.

// Days: the days file is replaced (its marks are DaysMark's), the journal stays.
enum class JournalChange { None, Append, Replace, Days };

struct ChangeIntent {
    QString databaseDirectory;
    Settings after;   // the settings once the change is done
    Settings before;  // the settings that belong to the journal as it was
    JournalChange change = JournalChange::None;
    JournalMark oldJournal;
    JournalMark newJournal;
    LedgerAppend ledger;  // the ledger's line of the balance's change, if any
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
// or Complete (store.settings hold `after`): the ledger's line is appended, the settings are
// saved and the intent removed; a save that fails keeps the intent for the next start and says
// so on standard error.
class BalanceChange {
  public:
    bool Begin(const SettingsStore& store, const Settings& after, JournalChange change,
               const JournalMark& oldJournal, const JournalMark& newJournal,
               const LedgerNote& note);
    void Abandon();
    // False when the settings could not be saved (reported; the intent stays).
    bool Complete(const SettingsStore& store);

  private:
    // An intent of an earlier failed save: this one's `before` now stands in for it, so it
    // stays when this change is abandoned.
    bool earlierPending_ = false;
    LedgerAppend ledger_;
};

// Finishes (the journal holds the change: its settings are saved) or drops (the journal is as
// before: the settings from before are saved) an intent a crash left, and sets `store` to the
// outcome. Nothing is applied twice: the intent holds whole values, not differences.
void FinishLeftoverIntent(SettingsStore& store);

}  // namespace tallimer
