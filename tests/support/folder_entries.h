#pragma once

#include <array>
#include <string>

#include "core/common/folder_list.h"
#include "core/common/folder_list_texts.h"

// Entries written the way the grid shows them, and the grid's texts of an entry.
namespace quellix::test {

using Cells = std::array<std::string, kFolderColumnCount>;

// An entry from the six texts of its row: "-", "unknown" or a number; the path; the retention;
// "yes [D]"; the date letter; "Delete", "Recycle Bin" or a destination ("[+S] " first).
inline FolderEntry EntryOf(const Cells& cells) {
    FolderEntry entry;
    const std::string& count = cells[kFileCountColumn];
    if (count == texts::kUnknown.english || count == texts::kUnknown.french) {
        entry.count = FileCount::Unknown();
    } else if (count != "-") {
        entry.count = FileCount::Of(std::stoll(count));
    }
    entry.path = cells[kPathColumn];
    entry.retention = cells[kRetentionColumn];
    DecodeSubfoldersText(cells[kSubfoldersColumn], entry);
    if (cells[kSubfoldersColumn] != SubfoldersText(entry, Language::English) &&
        cells[kSubfoldersColumn] != SubfoldersText(entry, Language::French)) {
        // Kept as the file would hold it: a leading English word in French.
        const std::string& text = cells[kSubfoldersColumn];
        const std::string word = text.substr(0, text.find(' '));
        const std::string rest = text.substr(word.size());
        entry.subfoldersAsStored = word == "yes"  ? "oui" + rest
                                   : word == "no" ? "non" + rest
                                                  : text;
    }
    entry.date = cells[kDateColumn];
    FolderEntry action;
    DecodeActionText(cells[kActionColumn], action);
    SetAction(entry, action.action, action.destination, action.createShortcut);
    return entry;
}

inline Cells CellsOf(const FolderEntry& entry, Language language) {
    Cells cells;
    for (std::size_t column = 0; column < kFolderColumnCount; ++column) {
        cells[column] = ComposeCell(entry, static_cast<FolderColumn>(column), language).text;
    }
    return cells;
}

inline std::string CellOf(const FolderEntry& entry, FolderColumn column, Language language) {
    return ComposeCell(entry, column, language).text;
}

inline CellStyle StyleOf(const FolderEntry& entry, FolderColumn column) {
    return ComposeCell(entry, column, Language::English).style;
}

}  // namespace quellix::test
