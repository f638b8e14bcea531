#pragma once

#include <string>
#include <vector>

namespace quellix::test {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
// Names of the entries of folder, sorted; empty when it cannot be listed.
std::vector<std::string> NamesIn(const std::string& folder);

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    // path_ + "/" + name
    std::string File(const std::string& name) const;
    // Writes content to the file name (creating folders on the way); returns its path.
    std::string Write(const std::string& name, const std::string& content) const;
    // Content of the file name; empty when it does not exist.
    std::string Read(const std::string& name) const;
    bool Exists(const std::string& name) const;

  private:
    std::string path_;
};

}  // namespace quellix::test
