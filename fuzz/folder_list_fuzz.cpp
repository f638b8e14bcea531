// Loads a folder list from any INI text, saves it back and loads it again: no crash, no hang, a
// saved list reads back as the same entries, and the cells shown and the file written are those
// the former six-text rows gave, byte for byte.
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/headless_front_end.h"
#include "core/common/folder_list_texts.h"
#include "core/config/config_values.h"
#include "core/config/folder_list_store.h"
#include "core/config/ini_document.h"
#include "core/config/ini_file.h"
#include "core/config/number_scan.h"

namespace {

using namespace quellix;

// The list as it was held before entries were typed: six texts and styles per row, loaded and
// saved by these rules. Kept here only, as the reference the typed list must match.
struct ReferenceRow {
    std::array<std::string, kFolderColumnCount> cells;
    std::array<CellStyle, kFolderColumnCount> styles;
    std::string subfoldersAsWritten;
};

// The flags a subfolder text selects.
std::array<bool, 3> SubfolderFlags(const std::string& text) {
    FolderEntry entry;
    DecodeSubfoldersText(text, entry);
    return {entry.includeSubfolders, entry.deleteEmptySubfolders, entry.deleteReadOnly};
}

std::string KeyOf(std::string_view word, std::int32_t n) {
    return std::string(word) + std::to_string(n);
}

bool IsWord(const std::string& cell, const TextPair& pair) {
    return cell == pair.english || cell == pair.french;
}

std::optional<ConfigError> ReferenceRead(ConfigStore& store, Language language, std::int32_t n,
                                         ReferenceRow& row) {
    const std::string pathKey = KeyOf("Path", n);
    auto path = store.Read("Paths", pathKey);
    if (!path) {
        return ConfigError{ConfigErrorKind::LostPath, "Paths", pathKey};
    }
    if (store.StoredLength("Paths", pathKey) > kMaxStoredPathBytes) {
        return ConfigError{ConfigErrorKind::PathTooLong, "Paths", pathKey};
    }
    const std::string retentionKey = KeyOf("RetentionPath", n);
    auto retention = ReadNumber(store, "Paths", retentionKey);
    if (!retention) {
        return ConfigError{ConfigErrorKind::LostKeepTime, "Paths", retentionKey};
    }
    if (!std::isfinite(*retention) || *retention < 1) {
        return ConfigError{ConfigErrorKind::InvalidKeepTime, "Paths", retentionKey};
    }
    std::string subfolders = store.Read("Paths", KeyOf("SousDossiers", n)).value_or("non");
    row.subfoldersAsWritten = subfolders;
    if (language == Language::English) {
        subfolders = ReplaceAll(ReplaceAll(subfolders, "oui", "yes"), "non", "no");
    }
    const bool deletes = store.Read("Paths", KeyOf("Effacer", n)) == "oui";
    const bool recycles = store.Read("Paths", KeyOf("Corbeille", n)) == "oui";
    std::string action;
    if (deletes) {
        action = texts::kDelete.In(language);
    }
    if (recycles) {
        action = texts::kRecycleBin.In(language);
    }
    const std::string destinationKey = KeyOf("AutreDossier", n);
    if (auto destination = store.Read("Paths", destinationKey)) {
        if (store.StoredLength("Paths", destinationKey) > kMaxStoredPathBytes) {
            return ConfigError{ConfigErrorKind::PathTooLong, "Paths", destinationKey};
        }
        action = *destination;
        // The one departure in the cells: a destination written as an action word in the other
        // language ("Recycle Bin" in French) is shown as that action in the language shown.
        if (IsWord(action, texts::kDelete)) {
            action = texts::kDelete.In(language);
        } else if (IsWord(action, texts::kRecycleBin)) {
            action = texts::kRecycleBin.In(language);
        }
    }
    row.cells = {"-",
                 *path,
                 ShortestDecimalText(*retention),
                 subfolders,
                 store.Read("Paths", KeyOf("Date", n)).value_or("M"),
                 action};
    if (deletes) {
        row.styles[kActionColumn].bold = true;
        row.styles[kActionColumn].textColour = Settings::DeleteColour;
    }
    if (recycles) {
        row.styles[kActionColumn].bold = true;
        row.styles[kActionColumn].textColour = Settings::RecycleColour;
    }
    return std::nullopt;
}

void ReferenceSave(ConfigStore& store, Language language, const std::vector<ReferenceRow>& rows) {
    ConfigBatch batch(store);
    WriteInteger(store, "Paths", "NbPaths", static_cast<std::int32_t>(rows.size()));
    std::int32_t n = 0;
    for (const ReferenceRow& row : rows) {
        ++n;
        std::string subfolders = row.cells[kSubfoldersColumn];
        if (language == Language::English) {
            subfolders = ReplaceAll(ReplaceAll(subfolders, "yes", "oui"), "no", "non");
        }
        // The one departure from the former rules: a text the words would turn into other
        // flags is kept as written.
        if (SubfolderFlags(subfolders) != SubfolderFlags(row.subfoldersAsWritten)) {
            subfolders = row.subfoldersAsWritten;
        }
        const std::string& action = row.cells[kActionColumn];
        const bool deletes = IsWord(action, texts::kDelete);
        const bool recycles = IsWord(action, texts::kRecycleBin);
        store.Write("Paths", KeyOf("Path", n), TrimSpaces(row.cells[kPathColumn]));
        store.Write("Paths", KeyOf("RetentionPath", n), TrimSpaces(row.cells[kRetentionColumn]));
        store.Write("Paths", KeyOf("SousDossiers", n), subfolders);
        store.Write("Paths", KeyOf("Date", n), row.cells[kDateColumn]);
        store.Write("Paths", KeyOf("Effacer", n), deletes ? "oui" : "non");
        store.Write("Paths", KeyOf("Corbeille", n), recycles ? "oui" : "non");
        store.Write("Paths", KeyOf("AutreDossier", n), deletes || recycles ? "" : action);
    }
    for (std::int32_t k = n + 1; k < kMaxFolderEntries * 2 && store.Read("Paths", KeyOf("Path", k));
         ++k) {
        for (const char* word : {"Path", "RetentionPath", "SousDossiers", "Date", "Effacer",
                                 "Corbeille", "AutreDossier"}) {
            store.Delete("Paths", KeyOf(word, k));
        }
    }
}

// The reference and the typed list agree on the error, every cell and style, and the file.
void CompareWithReference(const std::string& text, const Settings& settings,
                          const std::optional<ConfigError>& error, const FolderList& list,
                          const std::string& saved) {
    const Language language = settings.language();
    MemoryConfigStore store(text);
    std::vector<ReferenceRow> rows;
    std::optional<ConfigError> referenceError;
    for (std::int32_t n = 1; n <= settings.NbPaths && !referenceError; ++n) {
        ReferenceRow row;
        referenceError = ReferenceRead(store, language, n, row);
        if (!referenceError) {
            rows.push_back(std::move(row));
        }
    }
    if (referenceError != error || rows.size() != list.Size()) {
        __builtin_trap();
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (std::size_t column = 0; column < kFolderColumnCount; ++column) {
            const FolderCell cell =
                ComposeCell(list.Entries()[i], static_cast<FolderColumn>(column), language);
            if (cell.text != rows[i].cells[column] || cell.style != rows[i].styles[column]) {
                __builtin_trap();
            }
        }
    }
    if (!error) {
        ReferenceSave(store, language, rows);
        if (store.Text() != saved) {
            __builtin_trap();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    // The first byte picks the language; the rest is the file.
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    MemoryConfigStore store(text);
    Settings settings;
    settings.Langue = data[0] & 1;
    const auto count = store.Read("Paths", "NbPaths");
    // Keep each input quick: a huge count only repeats the same look-ups.
    settings.NbPaths = count ? RoundToInt32(ScanLeadingNumber(*count)).value_or(0) % 64 : 0;
    if (settings.NbPaths < 0) {
        settings.NbPaths = 0;
    }
    const std::int32_t announced = settings.NbPaths;

    std::ostream discarded(nullptr);
    HeadlessFrontEnd frontEnd(discarded);
    FolderList list;
    const auto loadError = LoadFolderList(store, settings, list, frontEnd);
    if (!loadError) {
        SaveFolderList(store, settings, list);
    }
    Settings reference = settings;
    reference.NbPaths = announced;
    CompareWithReference(text, reference, loadError, list, store.Text());
    if (loadError) {
        return 0;
    }

    // Reading back drops blanks and one pair of quotes again, which a value cut at the length
    // limit (ending in a tab) or quoted twice in the file can still hold: 'x' becomes x, and a
    // move to the (relative, so refused) folder "Supprimer" becomes a delete.
    const auto readBack = [](const std::string& value) { return std::string(ProfileValue(value)); };
    const Language language = settings.language();
    FolderList again;
    if (auto error = LoadFolderList(store, settings, again, frontEnd)) {
        // Only a path that reads back as nothing may be lost.
        const auto row = std::stoul(error->key.substr(4)) - 1;
        if (error->kind != ConfigErrorKind::LostPath || row >= list.Size() ||
            !readBack(list.Entries()[row].path).empty()) {
            __builtin_trap();
        }
        return 0;
    }
    if (again.Size() != list.Size()) {
        __builtin_trap();
    }
    for (std::size_t row = 0; row < list.Size(); ++row) {
        const FolderEntry& before = list.Entries()[row];
        const FolderEntry& after = again.Entries()[row];
        FolderEntry expected;
        DecodeActionText(readBack(ActionText(before, language)), expected);
        if (expected.action != after.action || expected.destination != after.destination ||
            expected.createShortcut != after.createShortcut ||
            readBack(before.retention) != after.retention || readBack(before.path) != after.path) {
            __builtin_trap();
        }
        // English words are stored in French, which is longer; past the length limit of a
        // value the flags at the end may be cut off.
        const std::string stored = StoredEntryOf(before, language).subfolders;
        if (stored.size() <= ConfigStore::kMaxValueBytes &&
            (before.includeSubfolders != after.includeSubfolders ||
             before.deleteReadOnly != after.deleteReadOnly ||
             before.deleteEmptySubfolders != after.deleteEmptySubfolders)) {
            __builtin_trap();
        }
    }
    return 0;
}
