#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quellix::platform {

// A file written by appending, such as the daily operation log.
class AppendFile {
  public:
    enum class Mode { CreateNew, Append };

    virtual ~AppendFile() = default;
    // Writes all of text; false on failure.
    virtual bool Write(std::string_view text) = 0;
};

// CreateNew fails with EEXIST when the file exists (a symbolic link counts, even a dangling one),
// Append opens an existing one (or creates it). New files get mode 0644 less the umask (on Windows,
// the rights the folder passes on). Only regular files are written: anything else gives EINVAL
// (ENXIO for a FIFO nobody reads), never a wait. nullptr on failure, with the error number in
// *error.
std::unique_ptr<AppendFile> OpenAppendFile(const std::string& path, AppendFile::Mode mode,
                                           int* error);

// Names of the regular files of a folder (not its subfolders, nor symbolic links even to regular
// files), in no particular order; empty when it cannot be read.
std::vector<std::string> ListFileNames(const std::string& folder);

// Removes a file by path; 0 or the error number.
int RemoveFileAt(const std::string& path);

}  // namespace quellix::platform
