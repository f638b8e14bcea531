#include "core/config/folder_list_store.h"

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

// Reads entry n into row; the error when a required key is missing or wrong.
std::optional<ConfigError> ReadEntry(ConfigStore& store, Language language, std::int32_t n,
                                     FolderRow& row) {
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

    std::string subfolders =
        store.Read(kPaths, KeyOf("SousDossiers", n)).value_or(std::string(kNon));
    if (language == Language::English) {
        subfolders = ReplaceAll(subfolders, kOui, texts::kYes.english);
        subfolders = ReplaceAll(subfolders, kNon, texts::kNo.english);
    }

    const bool deletes =
        store.Read(kPaths, KeyOf("Effacer", n)) == std::optional<std::string>("oui");
    const bool recycles =
        store.Read(kPaths, KeyOf("Corbeille", n)) == std::optional<std::string>("oui");
    std::string action;
    if (deletes) {
        action = texts::kDelete.In(language);
    }
    if (recycles) {
        action = texts::kRecycleBin.In(language);
    }
    const std::string destinationKey = KeyOf("AutreDossier", n);
    if (auto destination = store.Read(kPaths, destinationKey)) {
        if (store.StoredLength(kPaths, destinationKey) > kMaxStoredPathBytes) {
            return ConfigError{ConfigErrorKind::PathTooLong, std::string(kPaths), destinationKey};
        }
        action = *destination;
    }

    row.cells = {"-",
                 *path,
                 ShortestDecimalText(*retention),
                 subfolders,
                 store.Read(kPaths, KeyOf("Date", n)).value_or("M"),
                 action};
    CellStyle& actionStyle = row.styles[kActionColumn];
    if (deletes) {
        actionStyle.bold = true;
        actionStyle.textColour = Settings::DeleteColour;
    }
    if (recycles) {
        actionStyle.bold = true;
        actionStyle.textColour = Settings::RecycleColour;
    }
    return std::nullopt;
}

bool IsActionWord(const std::string& cell, const TextPair& pair) {
    return cell == pair.english || cell == pair.french;
}

}  // namespace

std::optional<ConfigError> LoadFolderList(ConfigStore& store, const Settings& settings,
                                          FolderList& list, FrontEnd& frontEnd) {
    list.Clear();
    const Language language = settings.language();
    // Entries past the last number the list can hold would be dropped without a word.
    if (settings.NbPaths > kMaxFolderEntries) {
        return ConfigError{ConfigErrorKind::TooManyFolders, std::string(kPaths), "NbPaths"};
    }
    for (std::int32_t n = 1; n <= settings.NbPaths; ++n) {
        FolderRow row;
        if (auto error = ReadEntry(store, language, n, row)) {
            return error;
        }
        list.Append(std::move(row));
        frontEnd.Progress().SetLoadingCounter(std::to_string(n) + "/" +
                                              std::to_string(settings.NbPaths));
    }
    list.RefreshTitle(language);
    return std::nullopt;
}

void SaveFolderList(ConfigStore& store, Settings& settings, FolderList& list) {
    ConfigBatch batch(store);
    const Language language = settings.language();
    settings.NbPaths = static_cast<std::int32_t>(list.Size());
    WriteInteger(store, kPaths, "NbPaths", settings.NbPaths);

    std::int32_t n = 0;
    for (const FolderRow& row : list.Rows()) {
        ++n;
        std::string subfolders = row.cells[kSubfoldersColumn];
        if (language == Language::English) {
            subfolders = ReplaceAll(subfolders, texts::kYes.english, kOui);
            subfolders = ReplaceAll(subfolders, texts::kNo.english, kNon);
        }
        const std::string& action = row.cells[kActionColumn];
        const bool deletes = IsActionWord(action, texts::kDelete);
        const bool recycles = IsActionWord(action, texts::kRecycleBin);

        store.Write(kPaths, KeyOf("Path", n), TrimSpaces(row.cells[kPathColumn]));
        store.Write(kPaths, KeyOf("RetentionPath", n), TrimSpaces(row.cells[kRetentionColumn]));
        store.Write(kPaths, KeyOf("SousDossiers", n), subfolders);
        store.Write(kPaths, KeyOf("Date", n), row.cells[kDateColumn]);
        store.Write(kPaths, KeyOf("Effacer", n), deletes ? kOui : kNon);
        store.Write(kPaths, KeyOf("Corbeille", n), recycles ? kOui : kNon);
        store.Write(kPaths, KeyOf("AutreDossier", n), deletes || recycles ? "" : action);
    }

    for (std::int32_t k = n + 1; k < kMaxFolderEntries * 2 && store.Read(kPaths, KeyOf("Path", k));
         ++k) {
        for (const char* word : kEntryWords) {
            store.Delete(kPaths, KeyOf(word, k));
        }
    }
    list.RefreshTitle(language);
}

}  // namespace quellix
