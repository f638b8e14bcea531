#include "core/purge/undo_last.h"

#include <algorithm>
#include <cerrno>
#include <set>

#include "core/purge/preview_report.h"
#include "core/purge/purge_engine.h"
#include "platform/config_file.h"
#include "platform/directory.h"
#include "platform/path_text.h"
#include "platform/text_file.h"
#include "platform/trash.h"

namespace quellix {

namespace {

// Far above the journal of a real run, low enough not to exhaust memory.
constexpr std::size_t kMaxJournalBytes = std::size_t{256} << 20;

// The folder at path, made again from the folders the run removed where those are missing.
std::optional<platform::Directory> OpenOrRemake(const std::string& path,
                                                const std::set<std::string>& removed,
                                                std::vector<std::string>& made) {
    if (auto folder = platform::Directory::Open(path)) {
        return folder;
    }
    if (!removed.contains(path)) {
        return std::nullopt;
    }
    const std::string parentPath = platform::ParentFolder(path);
    if (parentPath == path) {
        return std::nullopt;
    }
    const auto parent = OpenOrRemake(parentPath, removed, made);
    const auto parentInfo = parent ? parent->StatSelf() : std::nullopt;
    if (!parentInfo) {
        return std::nullopt;
    }
    auto folder = parent->OpenOrMakeChildLike(platform::LastName(path), *parentInfo);
    if (folder) {
        made.push_back(path);
    }
    return folder;
}

// A file the Windows Recycle Bin holds, back through the bin's own Restore.
void RestoreRecycled(const JournalRecord& record, const std::set<std::string>& removed,
                     UndoReport& report) {
    if (!OpenOrRemake(platform::ParentFolder(record.original), removed, report.foldersMade)) {
        report.left.push_back({record.original, UndoLeft::FolderGone});
        return;
    }
    switch (const int error = platform::RestoreFromRecycleBin(record.original)) {
        case 0:
            report.restored.push_back(record.original);
            return;
        case EEXIST:
            report.left.push_back({record.original, UndoLeft::PlaceTaken});
            return;
        case ENOENT:
            report.left.push_back({record.original, UndoLeft::Gone});
            return;
        default:
            report.left.push_back({record.original, UndoLeft::Failed, error});
            return;
    }
}

void Restore(const JournalRecord& record, const std::set<std::string>& removed,
             UndoReport& report) {
    if (record.kind == JournalRecord::Kind::Recycled) {
        RestoreRecycled(record, removed, report);
        return;
    }
    const std::string name(platform::LastName(record.original));
    const std::string nowName(platform::LastName(record.now));
    const auto from = platform::Directory::Open(platform::ParentFolder(record.now));
    if (!from || !from->Stat(nowName)) {
        report.left.push_back({record.original, UndoLeft::Gone});
        return;
    }
    const auto to =
        OpenOrRemake(platform::ParentFolder(record.original), removed, report.foldersMade);
    if (!to) {
        report.left.push_back({record.original, UndoLeft::FolderGone});
        return;
    }
    if (to->Stat(name)) {
        report.left.push_back({record.original, UndoLeft::PlaceTaken});
        return;
    }
    if (const int error = platform::MoveEntry(*from, nowName, *to, name); error != 0) {
        report.left.push_back(
            {record.original, error == EEXIST ? UndoLeft::PlaceTaken : UndoLeft::Failed, error});
        return;
    }
    report.restored.push_back(record.original);
    if (record.kind == JournalRecord::Kind::Moved && record.shortcut) {
        const std::string shortcut = ShortcutName(name);
        if (to->LinkTarget(shortcut) == record.now && to->RemoveFile(shortcut) == 0) {
            ++report.shortcutsRemoved;
        }
    }
    if (record.kind == JournalRecord::Kind::Trashed) {
        // Its info file, so that the trash no longer lists it.
        const std::string infoName(platform::LastName(record.info));
        if (const auto info = platform::Directory::Open(platform::ParentFolder(record.info))) {
            if (const auto seen = info->Stat(infoName);
                seen && seen->type == platform::EntryType::File) {
                info->RemoveFile(infoName);
            }
        }
    }
}

// The journal again with only the records still to undo; gone when none is left.
void Rewrite(const std::string& path, const std::vector<JournalRecord>& records) {
    const auto folder = platform::Directory::Open(platform::ParentFolder(path));
    if (!folder) {
        return;
    }
    const std::string name(platform::LastName(path));
    folder->RemoveFile(name);
    if (records.empty()) {
        return;
    }
    int error = 0;
    const auto file = platform::OpenAppendFile(*folder, name, platform::AppendFile::Mode::CreateNew,
                                               0600, &error);
    if (!file) {
        return;
    }
    std::string text = std::string(kJournalHeader) + "\n";
    for (const JournalRecord& record : records) {
        text += JournalLine(record) + "\n";
    }
    file->Write(text);
}

std::string_view Why(UndoLeft why) {
    switch (why) {
        case UndoLeft::Gone:
            return "left, no longer where the purge put it";
        case UndoLeft::PlaceTaken:
            return "left, something else is at its place now";
        case UndoLeft::FolderGone:
            return "left, its folder is gone";
        case UndoLeft::Failed:
            return "left, cannot be moved back";
    }
    return {};
}

}  // namespace

std::string UndoReportText(const UndoReport& report) {
    std::string text;
    for (const std::string& folder : report.foldersMade) {
        text += "folder made again: " + ShownPath(folder) + "\n";
    }
    for (const std::string& path : report.restored) {
        text += "back: " + ShownPath(path) + "\n";
    }
    for (const UndoReport::Left& left : report.left) {
        text += std::string(Why(left.why));
        if (left.why == UndoLeft::Failed) {
            text += " (error " + std::to_string(left.error) + ")";
        }
        text += ": " + ShownPath(left.path) + "\n";
    }
    text += std::to_string(report.restored.size()) + " back, " +
            std::to_string(report.left.size()) + " left, " +
            std::to_string(report.shortcutsRemoved) +
            " shortcuts removed; deleted files cannot come back\n";
    return text;
}

LastRun ReadLastRun(const std::string& path) {
    const platform::ConfigFileRead read = platform::ReadConfigFile(path, kMaxJournalBytes);
    if (read.state == platform::ConfigFileState::Missing ||
        read.state == platform::ConfigFileState::MissingFolder) {
        return {};
    }
    auto records =
        read.state == platform::ConfigFileState::Regular ? ParseJournal(read.text) : std::nullopt;
    if (!records) {
        return {LastRun::State::Refused, {}};
    }
    return {LastRun::State::Read, std::move(*records)};
}

std::size_t FilesToRestore(const std::vector<JournalRecord>& records) {
    return static_cast<std::size_t>(
        std::count_if(records.begin(), records.end(), [](const JournalRecord& record) {
            return record.kind != JournalRecord::Kind::FolderRemoved;
        }));
}

UndoReport UndoLastRun(const std::string& path, const std::vector<JournalRecord>& records) {
    std::set<std::string> removed;
    for (const JournalRecord& record : records) {
        if (record.kind == JournalRecord::Kind::FolderRemoved) {
            removed.insert(record.original);
        }
    }
    UndoReport report;
    std::vector<JournalRecord> kept;
    for (auto record = records.rbegin(); record != records.rend(); ++record) {
        if (record->kind == JournalRecord::Kind::FolderRemoved) {
            continue;
        }
        const std::size_t leftBefore = report.left.size();
        Restore(*record, removed, report);
        if (report.left.size() != leftBefore && report.left.back().why != UndoLeft::Gone) {
            kept.insert(kept.begin(), *record);
        }
    }
    // The folders stay on record while a file may still need one of them.
    if (!kept.empty()) {
        for (const JournalRecord& record : records) {
            if (record.kind == JournalRecord::Kind::FolderRemoved) {
                kept.push_back(record);
            }
        }
    }
    Rewrite(path, kept);
    return report;
}

}  // namespace quellix
