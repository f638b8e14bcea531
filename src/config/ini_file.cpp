#include "config/ini_file.h"

#include <utility>

#include "config/utf8.h"
#include "platform/text_encoding.h"

namespace quellix {

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
    if (batchDirty_) {
        return;
    }
    auto stamp = platform::GetFileStamp(path_);
    if (loaded_ && stamp == stamp_) {
        return;
    }
    // Stamp before content: a change in between is then seen at the next call, not missed.
    std::optional<std::string> text;
    if (stamp) {
        text = platform::ReadWholeFile(path_);
        if (!text) {
            // Removed between the two calls, or really unreadable.
            stamp = platform::GetFileStamp(path_);
        }
    }
    // A file of an earlier version is in the system's legacy code page; it is written back in it.
    legacyCodePage_ = false;
    if (text && !IsValidUtf8(*text)) {
        if (auto converted = platform::LegacyCodePageToUtf8(*text)) {
            *text = std::move(*converted);
            legacyCodePage_ = true;
        }
    }
    document_ = text ? IniDocument(*text) : IniDocument();
    stamp_ = stamp;
    unreadable_ = !text && stamp;
    unsaved_ = false;
    loaded_ = true;
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
    if (unreadable_ || !platform::ReplaceFileContents(path_, text)) {
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
