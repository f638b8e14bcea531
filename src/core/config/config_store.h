#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quellix {

// Key-value access to the configuration, with the reading rules of the INI file: section and key
// names match without regard to case, a value comes back cut to at most kMaxValueBytes bytes
// (never inside a UTF-8 sequence), and an empty value reads as absent.
class ConfigStore {
  public:
    static constexpr std::size_t kMaxValueBytes = 254;

    virtual ~ConfigStore() = default;

    // The value exactly as stored (not trimmed), or nullopt when absent or empty.
    virtual std::optional<std::string> Read(std::string_view section, std::string_view key) = 0;

    // Bytes of the value before Read cuts it (0 when absent): a value that reaches
    // kMaxValueBytes may have arrived cut.
    virtual std::size_t StoredLength(std::string_view section, std::string_view key) = 0;

    // Creates the file, section or key as needed. An empty value deletes the key.
    // Failures are not reported: the caller keeps its value in memory.
    virtual void Write(std::string_view section, std::string_view key, std::string_view value) = 0;

    virtual void Delete(std::string_view section, std::string_view key) = 0;

    // Between BeginBatch and EndBatch, writes may be collected and reach the file together at
    // EndBatch; a crash in between leaves the file as it was before BeginBatch.
    virtual void BeginBatch() {}
    virtual void EndBatch() {}

    // Between BeginReading and EndReading, reads may all come from one look at the file: a long
    // run of reads (the whole folder list) sees one version of it, at the cost of one check.
    virtual void BeginReading() {}
    virtual void EndReading() {}
};

// Groups the reads of one load.
class ConfigReading {
  public:
    explicit ConfigReading(ConfigStore& store) : store_(store) { store_.BeginReading(); }
    ~ConfigReading() { store_.EndReading(); }
    ConfigReading(const ConfigReading&) = delete;
    ConfigReading& operator=(const ConfigReading&) = delete;

  private:
    ConfigStore& store_;
};

// Groups the writes of one logical change (such as saving the whole folder list).
class ConfigBatch {
  public:
    explicit ConfigBatch(ConfigStore& store) : store_(store) { store_.BeginBatch(); }
    ~ConfigBatch() { store_.EndBatch(); }
    ConfigBatch(const ConfigBatch&) = delete;
    ConfigBatch& operator=(const ConfigBatch&) = delete;

  private:
    ConfigStore& store_;
};

}  // namespace quellix
