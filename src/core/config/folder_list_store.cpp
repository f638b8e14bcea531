#include "core/config/folder_list_store.h"

#include <algorithm>
#include <cmath>

#include "core/common/front_end.h"
#include "core/config/config_texts.h"
#include "core/config/config_values.h"
#include "core/config/number_scan.h"

namespace quellix {

namespace {

constexpr std::string_view kPaths = "Paths";
constexpr std::string_view kOui = "oui";
constexpr std::string_view kNon = "non";
constexpr const char* kEntryWords[] = {"Path",    "RetentionPath", "SousDossiers", "Date",
                                       "Effacer", "Corbeille",     "AutreDossier"};

std::string KeyOf(std::string_view word, std::int32_t n) {
    return std::string(word) + std::to_string(n);
}

// Reads entry n into entry; the error when a required key is missing or wrong.
std::optional<ConfigError> ReadEntry(ConfigStore& store, std::int32_t n, FolderEntry& entry) {
    const std::string pathKey = KeyOf("Path", n);
    auto path = store.Read(kPaths, pathKey);
    if (!path) {
        return ConfigError{ConfigErrorKind::LostPath, std::string(kPaths), pathKey};
    }
    if (store.StoredLength(kPaths, pathKey) > kMaxStoredPathBytes) {
        return ConfigError{ConfigErrorKind::PathTooLong, std::string(kPaths), pathKey};
    }
    const std::string retentionKey = KeyOf("RetentionPath", n);
    auto retention = ReadNumber(store, kPaths, retentionKey);
    if (!retention) {
        return ConfigError{ConfigErrorKind::LostKeepTime, std::string(kPaths), retentionKey};
    }
    // An endless retention would never let a file age; it is as wrong as one below an hour.
    if (!std::isfinite(*retention) || *retention < 1) {
        return ConfigError{ConfigErrorKind::InvalidKeepTime, std::string(kPaths), retentionKey};
    }

    const std::string subfolders =
        store.Read(kPaths, KeyOf("SousDossiers", n)).value_or(std::string(kNon));
    DecodeSubfoldersText(subfolders, entry);
    if (subfolders != SubfoldersText(entry, Language::French)) {
        entry.subfoldersAsStored = subfolders;
    }

    // The last action key that applies wins; a destination that reads as an action word is
    // that action, as it always was.
    entry.deleteMark = store.Read(kPaths, KeyOf("Effacer", n)) == std::optional<std::string>("oui");
    entry.recycleMark =
        store.Read(kPaths, KeyOf("Corbeille", n)) == std::optional<std::string>("oui");
    entry.action = entry.recycleMark  ? FolderAction::RecycleBin
                   : entry.deleteMark ? FolderAction::Delete
                                      : FolderAction::Move;
    const std::string destinationKey = KeyOf("AutreDossier", n);
    if (auto destination = store.Read(kPaths, destinationKey)) {
        if (store.StoredLength(kPaths, destinationKey) > kMaxStoredPathBytes) {
            return ConfigError{ConfigErrorKind::PathTooLong, std::string(kPaths), destinationKey};
        }
        DecodeActionText(*destination, entry);
    }

    entry.path = *path;
    entry.retention = ShortestDecimalText(*retention);
    entry.date = store.Read(kPaths, KeyOf("Date", n)).value_or("M");
    return std::nullopt;
}

}  // namespace

StoredEntry StoredEntryOf(const FolderEntry& entry, Language language) {
    StoredEntry stored;
    stored.path = TrimSpaces(entry.path);
    stored.retention = TrimSpaces(entry.retention);
    // The words shown in English go back to the French the file keeps, replaced in the text
    // shown, so that what a hand edit wrote comes back as it always did.
    stored.subfolders = SubfoldersText(entry, language);
    if (language == Language::English) {
        stored.subfolders = ReplaceAll(stored.subfolders, texts::kYes.english, kOui);
        stored.subfolders = ReplaceAll(stored.subfolders, texts::kNo.english, kNon);
        // The two replacements do not undo each other on every hand-written text ("noui" is
        // shown "nyes" and would go back as "nonui"): one that would read back as other flags
        // is kept as written.
        if (entry.subfoldersAsStored) {
            FolderEntry readBack;
            DecodeSubfoldersText(stored.subfolders, readBack);
            if (readBack.includeSubfolders != entry.includeSubfolders ||
                readBack.deleteEmptySubfolders != entry.deleteEmptySubfolders ||
                readBack.deleteReadOnly != entry.deleteReadOnly) {
                stored.subfolders = *entry.subfoldersAsStored;
            }
        }
    }
    stored.date = entry.date;
    const bool deletes = entry.action == FolderAction::Delete;
    const bool recycles = entry.action == FolderAction::RecycleBin;
    stored.deletes = deletes ? kOui : kNon;
    stored.recycles = recycles ? kOui : kNon;
    stored.destination = deletes || recycles ? std::string() : ActionText(entry, language);
    return stored;
}

std::optional<ConfigError> LoadFolderList(ConfigStore& store, const Settings& settings,
                                          FolderList& list, FrontEnd& frontEnd) {
    list.Clear();
    // Entries past the last number the list can hold would be dropped without a word.
    if (settings.NbPaths > kMaxFolderEntries) {
        return ConfigError{ConfigErrorKind::TooManyFolders, std::string(kPaths), "NbPaths"};
    }
    // Seven keys an entry: one look at the file for them all.
    const ConfigReading reading(store);
    list.Reserve(static_cast<std::size_t>(std::max(settings.NbPaths, 0)));
    for (std::int32_t n = 1; n <= settings.NbPaths; ++n) {
        FolderEntry entry;
        if (auto error = ReadEntry(store, n, entry)) {
            return error;
        }
        list.Append(std::move(entry));
        frontEnd.Progress().SetLoadingCounter(std::to_string(n) + "/" +
                                              std::to_string(settings.NbPaths));
    }
    return std::nullopt;
}

void SaveFolderList(ConfigStore& store, Settings& settings, FolderList& list) {
    ConfigBatch batch(store);
    const Language language = settings.language();
    settings.NbPaths = static_cast<std::int32_t>(list.Size());
    WriteInteger(store, kPaths, "NbPaths", settings.NbPaths);

    std::int32_t n = 0;
    for (const FolderEntry& entry : list.Entries()) {
        ++n;
        const StoredEntry stored = StoredEntryOf(entry, language);
        store.Write(kPaths, KeyOf("Path", n), stored.path);
        store.Write(kPaths, KeyOf("RetentionPath", n), stored.retention);
        store.Write(kPaths, KeyOf("SousDossiers", n), stored.subfolders);
        store.Write(kPaths, KeyOf("Date", n), stored.date);
        store.Write(kPaths, KeyOf("Effacer", n), stored.deletes);
        store.Write(kPaths, KeyOf("Corbeille", n), stored.recycles);
        store.Write(kPaths, KeyOf("AutreDossier", n), stored.destination);
    }

    for (std::int32_t k = n + 1; k < kMaxFolderEntries * 2 && store.Read(kPaths, KeyOf("Path", k));
         ++k) {
        for (const char* word : kEntryWords) {
            store.Delete(kPaths, KeyOf(word, k));
        }
    }
}

}  // namespace quellix
