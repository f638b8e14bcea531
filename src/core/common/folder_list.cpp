#include "core/common/folder_list.h"

#include "core/common/folder_list_texts.h"

namespace quellix {

namespace {

constexpr std::string_view kShortcutMark = "[+S] ";

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

bool IsEither(std::string_view text, const TextPair& pair) {
    return text == pair.english || text == pair.french;
}

std::optional<Colour> Background(CellMark mark) {
    switch (mark) {
        case CellMark::Found:
            return Settings::NormalColour;
        case CellMark::Missing:
            return Settings::MissingColour;
        case CellMark::None:
            break;
    }
    return std::nullopt;
}

// The subfolder value in the words the file stores.
std::string StoredSubfolders(const FolderEntry& entry) {
    if (entry.subfoldersAsStored) {
        return *entry.subfoldersAsStored;
    }
    std::string text(texts::kYes.french);
    if (!entry.includeSubfolders) {
        text = texts::kNo.french;
    } else if (entry.deleteEmptySubfolders) {
        text += " [D]";
    }
    if (entry.deleteReadOnly) {
        text += " [RO]";
    }
    return text;
}

}  // namespace

void SetAction(FolderEntry& entry, FolderAction action, std::string destination,
               bool createShortcut) {
    const bool moves = action == FolderAction::Move || action == FolderAction::None;
    entry.action = action;
    entry.destination = moves ? std::move(destination) : std::string();
    entry.createShortcut = moves && createShortcut;
    entry.deleteMark = action == FolderAction::Delete;
    entry.recycleMark = action == FolderAction::RecycleBin;
}

void DecodeActionText(std::string_view text, FolderEntry& entry) {
    entry.createShortcut = false;
    entry.destination.clear();
    if (IsEither(text, texts::kDelete)) {
        entry.action = FolderAction::Delete;
    } else if (IsEither(text, texts::kRecycleBin)) {
        entry.action = FolderAction::RecycleBin;
    } else {
        entry.action = FolderAction::Move;
        entry.createShortcut = text.starts_with(kShortcutMark);
        entry.destination = text.substr(entry.createShortcut ? kShortcutMark.size() : 0);
    }
}

void DecodeSubfoldersText(std::string_view text, FolderEntry& entry) {
    entry.includeSubfolders =
        Contains(text, texts::kYes.english) || Contains(text, texts::kYes.french);
    entry.deleteEmptySubfolders = Contains(text, "[D]");
    entry.deleteReadOnly = Contains(text, "[RO]");
}

std::string CountText(const FileCount& count, Language language) {
    switch (count.state) {
        case FileCount::State::Counted:
            return std::to_string(count.files);
        case FileCount::State::Unknown:
            return std::string(texts::kUnknown.In(language));
        case FileCount::State::NotCounted:
            break;
    }
    return "-";
}

std::string SubfoldersText(const FolderEntry& entry, Language language) {
    std::string text = StoredSubfolders(entry);
    if (language == Language::English) {
        text = ReplaceAll(text, texts::kYes.french, texts::kYes.english);
        text = ReplaceAll(text, texts::kNo.french, texts::kNo.english);
    }
    return text;
}

std::string ActionText(const FolderEntry& entry, Language language) {
    switch (entry.action) {
        case FolderAction::Delete:
            return std::string(texts::kDelete.In(language));
        case FolderAction::RecycleBin:
            return std::string(texts::kRecycleBin.In(language));
        case FolderAction::Move:
        case FolderAction::None:
            break;
    }
    return (entry.createShortcut ? std::string(kShortcutMark) : std::string()) + entry.destination;
}

FolderCell ComposeCell(const FolderEntry& entry, FolderColumn column, Language language) {
    FolderCell cell;
    switch (column) {
        case kFileCountColumn:
            cell.text = CountText(entry.count, language);
            cell.style.background = Background(entry.countMark);
            cell.style.trend = entry.trend;
            break;
        case kPathColumn:
            cell.text = entry.path;
            cell.style.background = Background(entry.folderMark);
            break;
        case kRetentionColumn:
            cell.text = entry.retention;
            break;
        case kSubfoldersColumn:
            cell.text = SubfoldersText(entry, language);
            break;
        case kDateColumn:
            cell.text = entry.date;
            break;
        case kActionColumn:
            cell.text = ActionText(entry, language);
            cell.style.bold = entry.deleteMark || entry.recycleMark;
            if (entry.recycleMark) {
                cell.style.textColour = Settings::RecycleColour;
            } else if (entry.deleteMark) {
                cell.style.textColour = Settings::DeleteColour;
            }
            cell.style.background = Background(entry.destinationMark);
            break;
        case kFolderColumnCount:
            break;
    }
    return cell;
}

std::string FolderListTitle(const FolderList& list, Language language) {
    return std::string(texts::kFolderListTitle.In(language)) + std::to_string(list.Size()) + ")";
}

std::string TotalHeader(const FolderList& list, Language language) {
    // Before the first count ends, the count cells' own mark for "not counted yet".
    const std::string total = list.TotalKnown() ? std::to_string(list.GrandTotal()) : "-";
    return std::string(texts::kTotalFiles.In(language)) + total;
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
