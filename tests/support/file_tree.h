#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace quellix::test {

// Builds files, folders and links under a temporary folder with chosen dates, and reads back
// what is left. Paths are relative to the tree's root; dates are seconds since the epoch.
class FileTree {
  public:
    FileTree() = default;

    const std::string& Root() const { return dir_.Path(); }
    // Root() + "/" + relative
    std::string Path(const std::string& relative) const { return dir_.File(relative); }

    // A file with the given content, its modification and access times (and its creation time
    // where the system lets it be set) set to date.
    void File(const std::string& relative, std::int64_t date, const std::string& content = "x");
    void Folder(const std::string& relative);
    // A symbolic link whose own times are set to date.
    void Link(const std::string& relative, const std::string& target, std::int64_t date);
    void Fifo(const std::string& relative, std::int64_t date);
    void SetTimes(const std::string& relative, std::int64_t modified, std::int64_t accessed);
    void MakeReadOnly(const std::string& relative);

    bool Exists(const std::string& relative) const;
    bool IsLink(const std::string& relative) const;
    bool IsReadOnly(const std::string& relative) const;
    std::string LinkTarget(const std::string& relative) const;
    std::string Read(const std::string& relative) const { return dir_.Read(relative); }
    // Every entry below relative (files, links and folders), sorted, as relative paths.
    std::vector<std::string> List(const std::string& relative = "") const;

  private:
    TempDir dir_;
};

}  // namespace quellix::test
