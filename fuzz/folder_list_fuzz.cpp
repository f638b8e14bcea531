// Loads a folder list from any INI text, saves it back and loads it again: no crash, no hang,
// and a saved list reads back as the same entries.
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>

#include "app/headless_front_end.h"
#include "core/config/config_values.h"
#include "core/config/folder_list_store.h"
#include "core/config/ini_document.h"
#include "core/config/ini_file.h"
#include "core/config/number_scan.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    using namespace quellix;
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

    std::ostream discarded(nullptr);
    HeadlessFrontEnd frontEnd(discarded);
    FolderList list;
    if (LoadFolderList(store, settings, list, frontEnd)) {
        return 0;
    }
    SaveFolderList(store, settings, list);
    // Reading back drops blanks and one pair of quotes again, which a value cut at the length
    // limit (ending in a tab) or quoted twice in the file can still hold: 'x' becomes x, and a
    // move to the (relative, so refused) folder "Supprimer" becomes a delete.
    const auto readBack = [](const std::string& value) { return std::string(ProfileValue(value)); };
    FolderList again;
    if (auto error = LoadFolderList(store, settings, again, frontEnd)) {
        // Only a path that reads back as nothing may be lost.
        const auto row = std::stoul(error->key.substr(4)) - 1;
        if (error->kind != ConfigErrorKind::LostPath || row >= list.Size() ||
            !readBack(list.Rows()[row].cells[kPathColumn]).empty()) {
            __builtin_trap();
        }
        return 0;
    }
    if (again.Size() != list.Size()) {
        __builtin_trap();
    }
    for (std::size_t row = 0; row < list.Size(); ++row) {
        FolderRow expectedRow = list.Rows()[row];
        for (const std::size_t column : {kPathColumn, kRetentionColumn, kActionColumn}) {
            expectedRow.cells[column] = readBack(expectedRow.cells[column]);
        }
        const FolderEntry before = DecodeRow(list.Rows()[row]);
        const FolderEntry expected = DecodeRow(expectedRow);
        const FolderEntry after = DecodeRow(again.Rows()[row]);
        if (expected.action != after.action || expected.destination != after.destination ||
            expected.createShortcut != after.createShortcut ||
            expected.retention != after.retention || expected.path != after.path) {
            __builtin_trap();
        }
        // English words are stored in French, which is longer; past the length limit of a
        // value the flags at the end may be cut off.
        const std::string stored = ReplaceAll(
            ReplaceAll(list.Rows()[row].cells[kSubfoldersColumn], "yes", "oui"), "no", "non");
        if (stored.size() <= ConfigStore::kMaxValueBytes &&
            (before.includeSubfolders != after.includeSubfolders ||
             before.deleteReadOnly != after.deleteReadOnly ||
             before.deleteEmptySubfolders != after.deleteEmptySubfolders)) {
            __builtin_trap();
        }
    }
    return 0;
}
