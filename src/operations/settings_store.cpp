#include "operations/settings_store.h"

#include <QVariant>
#include <cerrno>
#include <utility>
#include <vector>

#include "base/leading_integer.h"
#include "base/saturating.h"
#include "operations/change_intent.h"
#include "operations/undo.h"
#include "platform/code_page.h"
#include "platform/device_folder.h"
#include "platform/diagnostics.h"
#include "platform/file.h"
#include "platform/registry.h"
#include "resources/string_table.h"

namespace tallimer {

namespace {

const QString kGlobalValue = QStringLiteral("GLOBAL");
const QString kDbPathValue = QStringLiteral("DBPATH");

// Only the first bytes of the settings file are looked at; the line fits in them.
constexpr long long kSettingsFileReadLimit = 80;

constexpr char kSaveOperation[] = "save settings";

QStringView RegistryKey() {
    return QStringView(kRegistryKey);
}

void LoadRegistry(SettingsStore& store) {
    if (!platform::RegistryKeyExists(RegistryKey())) {
        return;
    }
    if (const auto global = platform::RegistryQueryValue(RegistryKey(), kGlobalValue)) {
        SettingsFromRecord(store.settings, global->toByteArray());
    }
    if (const auto dbPath = platform::RegistryQueryValue(RegistryKey(), kDbPathValue)) {
        store.databaseDirectory = dbPath->toString();
    }
}

// The balance of the settings file, or nullopt when it cannot be read or holds no "=".
std::optional<int32_t> ReadSettingsFileBalance(const QString& path) {
    platform::File file = platform::File::OpenExisting(path, platform::File::Access::Read);
    if (!file.isOpen()) {
        // No settings file yet is the normal state before the first save.
        if (errno != ENOENT) {
            platform::ReportFailure("load settings", path);
        }
        return std::nullopt;
    }
    char buffer[kSettingsFileReadLimit];
    long long filled = 0;
    while (filled < kSettingsFileReadLimit) {
        const long long n = file.read(buffer + filled, kSettingsFileReadLimit - filled);
        if (n < 0) {
            platform::ReportFailure("load settings", path);
        }
        if (n <= 0) {
            break;
        }
        filled += n;
    }
    file.close();
    return ParseSettingsFile(std::string_view(buffer, size_t(filled)));
}

// Whether the file at `path` may be written over: none there, an empty one, or one that reads
// as a settings file. Anything else (a link to some other file, say) is never replaced.
bool MayReplaceSettingsFile(const QString& path) {
    constexpr long long kMostSettingsFile = 1024;
    platform::File file = platform::File::OpenExisting(path, platform::File::Access::Read);
    if (!file.isOpen()) {
        return true;  // missing, or the replacement's own open says why not
    }
    std::string bytes(size_t(kMostSettingsFile + 1), '\0');
    long long filled = 0;
    while (filled <= kMostSettingsFile) {
        const long long n = file.read(bytes.data() + filled, kMostSettingsFile + 1 - filled);
        if (n <= 0) {
            break;
        }
        filled += n;
    }
    bytes.resize(size_t(filled));
    const std::string_view head = std::string_view(bytes).substr(0, size_t(kSettingsFileReadLimit));
    return bytes.empty() || (filled <= kMostSettingsFile && bytes.find('\0') == std::string::npos &&
                             ParseSettingsFile(head).has_value());
}

}  // namespace

void LoadSettings(SettingsStore& store) {
    LoadRegistry(store);
    BuildFilePaths(store);
    if (const auto balance = ReadSettingsFileBalance(store.settingsFilePath)) {
        store.settings.flexBalance = *balance;
    }
    FinishLeftoverIntent(store);
}

bool SaveSettings(const SettingsStore& store, const LedgerAppend& ledger) {
    // Without the intent the save still runs: it only guards the step between the two writes.
    WriteIntent({store.databaseDirectory,
                 store.settings,
                 store.settings,
                 JournalChange::None,
                 {},
                 {},
                 ledger});
    CommitLedgerAppend(store.ledgerPath, ledger);
    if (!StoreSettings(store)) {
        return false;
    }
    // Also an intent an earlier failed save left: what it would finish is older than this.
    RemoveIntent();
    return true;
}

bool StoreSettings(const SettingsStore& store) {
    const std::vector<std::pair<QString, QVariant>> values = {
        {kGlobalValue, QVariant(SettingsToRecord(store.settings))},
        {kDbPathValue, QVariant(store.databaseDirectory)},
    };
    // A registry failure does not keep the settings file from being written.
    const bool saved = platform::RegistrySetValues(RegistryKey(), values);

    // Written beside the old file and renamed over it, so a failed write (a full disk)
    // leaves the old line rather than a partial one that would read as another balance.
    const QByteArray line = SettingsFileLine(store.settings.flexBalance);
    if (!MayReplaceSettingsFile(store.settingsFilePath)) {
        platform::ReportFailure(kSaveOperation, store.settingsFilePath, platform::kForeignContent);
        return false;
    }
    if (!platform::Replacement::Beside(store.settingsFilePath)
             .commitWith(std::string_view(line.constData(), size_t(line.size())))) {
        platform::ReportFailure(kSaveOperation, store.settingsFilePath);
        return false;
    }
    return saved;
}

void RemoveStaleTemporaries(const SettingsStore& store) {
    platform::RemoveStaleReplacements(store.journalPath);
    platform::RemoveStaleReplacements(store.settingsFilePath);
    platform::RemoveStaleReplacementsOfOwnFile(
        platform::HostPath(UndoRecordPath(store.journalPath)));
}

void BuildFilePaths(SettingsStore& store) {
    const QString base = store.databaseDirectory + LoadString(StringId::AppTitle);
    store.journalPath = base + QStringLiteral(".txt");
    store.settingsFilePath = base + QStringLiteral(".ini");
    store.daysFilePath = base + QStringLiteral(".days");
    store.ledgerPath = base + QStringLiteral(".ledger");
}

QByteArray SettingsFileLine(int32_t balance) {
    // Both parts keep the sign of the division, so reading adds them back unchanged.
    return platform::ToCodePage(
        QString::asprintf("Flexitime = %d:%d\r\n", int(balance / 60), int(balance % 60)));
}

std::optional<int32_t> ParseSettingsFile(std::string_view bytes) {
    const size_t equals = bytes.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    const int32_t hours = LeadingInteger(bytes.substr(equals + 1));
    // Without a ":" the text holds whole hours.
    const size_t colon = bytes.find(':', equals);
    const int32_t minutes =
        colon == std::string_view::npos ? 0 : LeadingInteger(bytes.substr(colon + 1));
    return SatAdd(SatMul(hours, 60), minutes);
}

}  // namespace tallimer
