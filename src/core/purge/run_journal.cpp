#include "core/purge/run_journal.h"

#include <cstdio>

#include "platform/directory.h"
#include "platform/file_system.h"
#include "platform/path_text.h"

namespace quellix {

namespace {

constexpr std::string_view kMoved = "moved";
constexpr std::string_view kMovedWithShortcut = "moved+shortcut";
constexpr std::string_view kTrashed = "trashed";
constexpr std::string_view kRecycled = "recycled";
constexpr std::string_view kFolderRemoved = "folder-removed";

std::string Encode(std::string_view field) {
    std::string encoded;
    char escape[4];
    for (const char c : field) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f || byte == '%') {
            std::snprintf(escape, sizeof escape, "%%%02X", byte);
            encoded += escape;
        } else {
            encoded += c;
        }
    }
    return encoded;
}

std::optional<std::string> Decode(std::string_view field) {
    std::string decoded;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '%') {
            decoded += field[i];
            continue;
        }
        unsigned value = 0;
        if (i + 2 >= field.size() ||
            std::sscanf(std::string(field.substr(i + 1, 2)).c_str(), "%2x", &value) != 1) {
            return std::nullopt;
        }
        decoded += static_cast<char>(value);
        i += 2;
    }
    return decoded;
}

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    for (std::size_t tab; (tab = line.find('\t')) != std::string_view::npos;
         line.remove_prefix(tab + 1)) {
        fields.push_back(line.substr(0, tab));
    }
    fields.push_back(line);
    return fields;
}

}  // namespace

std::string JournalLine(const JournalRecord& record) {
    switch (record.kind) {
        case JournalRecord::Kind::Moved:
            return std::string(record.shortcut ? kMovedWithShortcut : kMoved) + '\t' +
                   Encode(record.original) + '\t' + Encode(record.now);
        case JournalRecord::Kind::Trashed:
            return std::string(kTrashed) + '\t' + Encode(record.original) + '\t' +
                   Encode(record.now) + '\t' + Encode(record.info);
        case JournalRecord::Kind::Recycled:
            return std::string(kRecycled) + '\t' + Encode(record.original);
        case JournalRecord::Kind::FolderRemoved:
            return std::string(kFolderRemoved) + '\t' + Encode(record.original);
    }
    return {};
}

std::optional<JournalRecord> ParseJournalLine(std::string_view line) {
    const std::vector<std::string_view> fields = Fields(line);
    std::vector<std::string> values;
    for (std::size_t i = 1; i < fields.size(); ++i) {
        auto value = Decode(fields[i]);
        if (!value || value->empty()) {
            return std::nullopt;
        }
        values.push_back(std::move(*value));
    }
    JournalRecord record;
    if ((fields[0] == kMoved || fields[0] == kMovedWithShortcut) && values.size() == 2) {
        record.kind = JournalRecord::Kind::Moved;
        record.shortcut = fields[0] == kMovedWithShortcut;
        record.now = values[1];
    } else if (fields[0] == kTrashed && values.size() == 3) {
        record.kind = JournalRecord::Kind::Trashed;
        record.now = values[1];
        record.info = values[2];
    } else if (fields[0] == kRecycled && values.size() == 1) {
        record.kind = JournalRecord::Kind::Recycled;
    } else if (fields[0] == kFolderRemoved && values.size() == 1) {
        record.kind = JournalRecord::Kind::FolderRemoved;
    } else {
        return std::nullopt;
    }
    record.original = values[0];
    return record;
}

std::optional<std::vector<JournalRecord>> ParseJournal(std::string_view text) {
    const std::string header = std::string(kJournalHeader) + "\n";
    if (!text.starts_with(header)) {
        return std::nullopt;
    }
    text.remove_prefix(header.size());
    std::vector<JournalRecord> records;
    // Only whole lines: a record is written with its line break, or not at all.
    for (std::size_t end; (end = text.find('\n')) != std::string_view::npos;
         text.remove_prefix(end + 1)) {
        if (auto record = ParseJournalLine(text.substr(0, end))) {
            records.push_back(std::move(*record));
        }
    }
    return records;
}

std::optional<JournalRecord> JournalRecordOf(const PurgeOutcome& outcome) {
    JournalRecord record;
    switch (outcome.kind) {
        case OutcomeKind::Moved:
            record.kind = JournalRecord::Kind::Moved;
            record.original = outcome.folder + outcome.name;
            record.now = outcome.movedTo;
            record.shortcut = outcome.shortcut;
            return record;
        case OutcomeKind::Recycled:
            record.original = outcome.folder + outcome.name;
            // The Windows Recycle Bin does not say where: it finds the file by where it was.
            if (outcome.trashed.file.empty() || outcome.trashed.info.empty()) {
                record.kind = JournalRecord::Kind::Recycled;
                return record;
            }
            record.kind = JournalRecord::Kind::Trashed;
            record.original = outcome.folder + outcome.name;
            record.now = outcome.trashed.file;
            record.info = outcome.trashed.info;
            return record;
        case OutcomeKind::SubfolderRemoved:
            record.kind = JournalRecord::Kind::FolderRemoved;
            record.original = outcome.folder;
            return record;
        default:
            return std::nullopt;
    }
}

RunJournal::RunJournal(const std::string& path) {
    const std::string folderPath = platform::ParentFolder(path);
    const std::string name(platform::LastName(path));
    if (!platform::IsExistingDirectory(folderPath) && !platform::MakeFolders(folderPath, 0700)) {
        return;
    }
    const auto folder = platform::Directory::Open(folderPath);
    if (!folder) {
        return;
    }
    // The last run's goes first; whatever else stands at the name is not replaced.
    if (const auto old = folder->Stat(name); old && (old->type == platform::EntryType::File ||
                                                     old->type == platform::EntryType::Symlink)) {
        folder->RemoveFile(name);
    }
    int error = 0;
    file_ = platform::OpenAppendFile(*folder, name, platform::AppendFile::Mode::CreateNew, 0600,
                                     &error);
    if (file_ && !file_->Write(std::string(kJournalHeader) + "\n")) {
        file_.reset();
    }
}

void RunJournal::Record(const PurgeOutcome& outcome) {
    if (!file_) {
        return;
    }
    if (const auto record = JournalRecordOf(outcome)) {
        file_->Write(JournalLine(*record) + "\n");
    }
}

}  // namespace quellix
