#include "core/common/folder_list.h"

#include "core/common/folder_list_texts.h"

namespace quellix {

namespace {

constexpr std::string_view kShortcutMark = "[+S] ";

bool Contains(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

bool IsEither(const std::string& text, const TextPair& pair) {
    return text == pair.english || text == pair.french;
}

}  // namespace

FolderEntry DecodeRow(const FolderRow& row) {
    FolderEntry entry;
    entry.fileCount = row.cells[kFileCountColumn];
    entry.path = row.cells[kPathColumn];
    entry.retention = row.cells[kRetentionColumn];

    const std::string& subfolders = row.cells[kSubfoldersColumn];
    entry.includeSubfolders =
        Contains(subfolders, texts::kYes.english) || Contains(subfolders, texts::kYes.french);
    entry.deleteEmptySubfolders = Contains(subfolders, "[D]");
    entry.deleteReadOnly = Contains(subfolders, "[RO]");

    const std::string& date = row.cells[kDateColumn];
    entry.dateText = date;
    entry.dateKind = date == "M" || date == "C" ? date.front() : 'A';

    const std::string& action = row.cells[kActionColumn];
    if (IsEither(action, texts::kDelete)) {
        entry.action = FolderAction::Delete;
    } else if (IsEither(action, texts::kRecycleBin)) {
        entry.action = FolderAction::RecycleBin;
    } else {
        entry.action = FolderAction::Move;
        if (action.starts_with(kShortcutMark)) {
            entry.createShortcut = true;
            entry.destination = action.substr(kShortcutMark.size());
        } else {
            entry.destination = action;
        }
    }
    return entry;
}

void FolderList::RefreshTitle(Language language) {
    title_ = std::string(texts::kFolderListTitle.In(language)) + std::to_string(rows_.size()) + ")";
}

void FolderList::SetGrandTotal(std::int64_t total, Language language) {
    grandTotal_ = total;
    totalHeader_ = std::string(texts::kTotalFiles.In(language)) + std::to_string(total);
}

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
    if (from.empty()) {
        return text;
    }
    std::size_t pos = 0;
    while ((pos = text.find(from, pos)) != std::string::npos) {
        text.replace(pos, from.size(), to);
        pos += to.size();
    }
    return text;
}

}  // namespace quellix
