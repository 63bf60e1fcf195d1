#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <string_view>

#include "model/settings.h"
#include "operations/ledger_file.h"

namespace tallimer {

inline constexpr char16_t kRegistryKey[] = u"SOFTWARE\\Quorvane\\Tallimer";
inline constexpr char16_t kDefaultDatabaseDirectory[] = u"\\My Documents\\";

// The settings with the database directory and the two file paths built from it
// (handheld paths).
struct SettingsStore {
    Settings settings;
    QString databaseDirectory = QString::fromUtf16(kDefaultDatabaseDirectory);
    QString journalPath;
    QString settingsFilePath;
    QString daysFilePath;  // days off and week plans, beside the journal
    QString ledgerPath;    // the balance's changes, beside the journal
};

// Registry, then the paths, then the balance from the settings file; then a change that a
// crash left unfinished is finished or dropped. Failures are silent.
void LoadSettings(SettingsStore& store);
// Registry, then the settings file, guarded by an intent so that a crash between the two is
// healed at the next start; a change of the balance (Setup, the new-month cap) appends its
// `ledger` line under the same intent. False when something was not saved.
bool SaveSettings(const SettingsStore& store, const LedgerAppend& ledger = {});
// Registry, then the settings file, without an intent; a failure is named on standard error.
bool StoreSettings(const SettingsStore& store);
void BuildFilePaths(SettingsStore& store);
// Removes the temporaries that a crash during Remove or a settings save left beside the
// journal and the settings file. Run at start-up, after LoadSettings.
void RemoveStaleTemporaries(const SettingsStore& store);

// "Flexitime = %d:%d\r\n" in the code page.
QByteArray SettingsFileLine(int32_t balance);
// The balance a settings file's first bytes hold; nullopt when they hold no "=".
std::optional<int32_t> ParseSettingsFile(std::string_view bytes);

}  // namespace tallimer
