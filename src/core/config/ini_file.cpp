#include "core/config/ini_file.h"

#include <utility>

#include "core/config/utf8.h"
#include "platform/text_encoding.h"

namespace quellix {

static_assert(IniFile::kMaxFileBytes == std::size_t{16} << 20,
              "the message for a file too large names the limit");

namespace {

std::optional<std::string> ReadValue(const IniDocument& document, std::string_view section,
                                     std::string_view key) {
    const auto raw = document.Get(section, key);
    if (!raw) {
        return std::nullopt;
    }
    std::string value = CutValue(ProfileValue(*raw), ConfigStore::kMaxValueBytes);
    if (value.empty()) {
        return std::nullopt;
    }
    return value;
}

std::size_t LengthOf(const IniDocument& document, std::string_view section, std::string_view key) {
    const auto raw = document.Get(section, key);
    return raw ? ProfileValue(*raw).size() : 0;
}

// Returns true when the document changed.
bool WriteValue(IniDocument& document, std::string_view section, std::string_view key,
                std::string_view value) {
    // The document keeps a value only up to its first line break; nothing left means deletion.
    if (value.substr(0, value.find_first_of("\r\n")).empty()) {
        return document.Remove(section, key);
    }
    return document.Set(section, key, value);
}

}  // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)) {}

// The file is parsed again only when its stamp differs from the one of our last read or write.
// A failed write leaves the stamp as it was, so the change held in memory survives until the
// file really changes on disk; the content on disk then wins over that unsaved change.
void IniFile::Refresh() {
    // Changes collected in a batch would be lost by a reload; they are stored at EndBatch.
    if (batchDirty_ || (readingDepth_ > 0 && lookedAt_)) {
        return;
    }
    lookedAt_ = readingDepth_ > 0;
    const std::optional<platform::FileStamp> stamp = platform::GetFileStamp(path_);
    if (loaded_ && stamp == stamp_) {
        return;
    }
    platform::ConfigFileRead read = platform::ReadConfigFile(path_, kMaxFileBytes);
    state_ = read.state;
    loaded_ = true;
    switch (read.state) {
        case platform::ConfigFileState::Regular:
            break;
        case platform::ConfigFileState::TooLarge:
        case platform::ConfigFileState::UnsafeLink:
        case platform::ConfigFileState::Untrusted:
            // Swapped in while the program runs: what was read before stays, and is not written
            // over a file someone else may have prepared.
            stamp_ = stamp;
            unreadable_ = true;
            return;
        case platform::ConfigFileState::Missing:
        case platform::ConfigFileState::MissingFolder:
            document_ = IniDocument();
            stamp_.reset();
            unreadable_ = false;
            unsaved_ = false;
            legacyCodePage_ = false;
            return;
        case platform::ConfigFileState::Folder:
        case platform::ConfigFileState::NotRegular:
        case platform::ConfigFileState::Unreachable:
            document_ = IniDocument();
            stamp_ = stamp;
            unreadable_ = stamp.has_value();
            unsaved_ = false;
            legacyCodePage_ = false;
            return;
    }
    // A file of an earlier version is in the system's legacy code page; it is written back in it.
    legacyCodePage_ = false;
    if (!IsValidUtf8(read.text)) {
        if (auto converted = platform::LegacyCodePageToUtf8(read.text)) {
            read.text = std::move(*converted);
            legacyCodePage_ = true;
        }
    }
    document_ = IniDocument(std::move(read.text));
    // The stamp of what was read: a change after it is seen at the next call.
    stamp_ = read.stamp;
    unreadable_ = false;
    unsaved_ = false;
}

platform::ConfigFileState IniFile::FileState() {
    Refresh();
    return state_;
}

void IniFile::Store() {
    if (batchDepth_ > 0) {
        batchDirty_ = true;
        return;
    }
    std::string text = document_.ToText();
    if (legacyCodePage_) {
        if (auto converted = platform::Utf8ToLegacyCodePage(text)) {
            text = std::move(*converted);
        } else {
            // A character the code page lacks: the file turns to UTF-8 rather than lose it.
            legacyCodePage_ = false;
        }
    }
    if (unreadable_ || !platform::ReplaceConfigFile(path_, text)) {
        unsaved_ = true;
        return;
    }
    unsaved_ = false;
    // Our own write must not look like someone else's change at the next read.
    stamp_ = platform::GetFileStamp(path_);
}

std::optional<std::string> IniFile::Read(std::string_view section, std::string_view key) {
    Refresh();
    return ReadValue(document_, section, key);
}

std::size_t IniFile::StoredLength(std::string_view section, std::string_view key) {
    Refresh();
    return LengthOf(document_, section, key);
}

void IniFile::Write(std::string_view section, std::string_view key, std::string_view value) {
    Refresh();
    // A pending change from a failed write is tried again with this one.
    if (WriteValue(document_, section, key, value) || unsaved_) {
        Store();
    }
}

void IniFile::Delete(std::string_view section, std::string_view key) {
    Write(section, key, {});
}

void IniFile::BeginReading() {
    ++readingDepth_;
}

void IniFile::EndReading() {
    if (--readingDepth_ == 0) {
        lookedAt_ = false;
    }
}

void IniFile::BeginBatch() {
    ++batchDepth_;
}

void IniFile::EndBatch() {
    if (batchDepth_ == 0) {
        return;
    }
    if (--batchDepth_ == 0 && batchDirty_) {
        batchDirty_ = false;
        Store();
    }
}

std::optional<std::string> MemoryConfigStore::Read(std::string_view section, std::string_view key) {
    return ReadValue(document_, section, key);
}

std::size_t MemoryConfigStore::StoredLength(std::string_view section, std::string_view key) {
    return LengthOf(document_, section, key);
}

void MemoryConfigStore::Write(std::string_view section, std::string_view key,
                              std::string_view value) {
    WriteValue(document_, section, key, value);
}

void MemoryConfigStore::Delete(std::string_view section, std::string_view key) {
    document_.Remove(section, key);
}

}  // namespace quellix
