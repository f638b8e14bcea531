#pragma once

#include <optional>
#include <string>

#include "core/config/config_store.h"
#include "core/config/ini_document.h"
#include "platform/config_file.h"
#include "platform/file_system.h"

namespace quellix {

// The configuration file on disk. Reads see changes made to the file by other programs (the file
// is parsed again whenever its stamp changes); every write replaces the file crash-safely at once,
// except inside a batch, where the file is replaced once at the end. A file the program must not
// go by (too large, reached through a link another user planted, or, for root, one that others
// can change) is neither read nor replaced: what was read before stays, and changes stay in
// memory.
class IniFile final : public ConfigStore {
  public:
    // Far above any real file (a list of the 32767 entries the file can number, with paths of a
    // few hundred bytes, stays below it), low enough that a huge file cannot exhaust memory.
    static constexpr std::size_t kMaxFileBytes = std::size_t{16} << 20;

    explicit IniFile(std::string path);

    const std::string& Path() const { return path_; }

    // What the file was found to be at the latest look, taken now if the file changed.
    platform::ConfigFileState FileState();

    std::optional<std::string> Read(std::string_view section, std::string_view key) override;
    std::size_t StoredLength(std::string_view section, std::string_view key) override;
    void Write(std::string_view section, std::string_view key, std::string_view value) override;
    void Delete(std::string_view section, std::string_view key) override;
    void BeginBatch() override;
    void EndBatch() override;
    void BeginReading() override;
    void EndReading() override;

  private:
    void Refresh();
    void Store();

    std::string path_;
    IniDocument document_;
    // Stamp of the file as last read or written by us; nullopt when it did not exist.
    std::optional<platform::FileStamp> stamp_;
    bool loaded_ = false;
    // The document holds changes that did not reach the file.
    bool unsaved_ = false;
    // The file exists but could not be read, or must not be gone by: it must not be replaced by
    // what we hold.
    bool unreadable_ = false;
    platform::ConfigFileState state_ = platform::ConfigFileState::Missing;
    // The file is in the system's legacy code page, not UTF-8.
    bool legacyCodePage_ = false;
    int batchDepth_ = 0;
    bool batchDirty_ = false;
    int readingDepth_ = 0;
    // Within reading: the file was looked at once already.
    bool lookedAt_ = false;
};

// Same rules over an in-memory text; used where no file is wanted (tests, fuzzing).
class MemoryConfigStore final : public ConfigStore {
  public:
    MemoryConfigStore() = default;
    explicit MemoryConfigStore(std::string_view text) : document_(text) {}

    std::optional<std::string> Read(std::string_view section, std::string_view key) override;
    std::size_t StoredLength(std::string_view section, std::string_view key) override;
    void Write(std::string_view section, std::string_view key, std::string_view value) override;
    void Delete(std::string_view section, std::string_view key) override;

    std::string Text() const { return document_.ToText(); }

  private:
    IniDocument document_;
};

}  // namespace quellix
