#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/directory.h"

namespace quellix::platform {

// A file written by appending, such as the daily operation log.
class AppendFile {
  public:
    enum class Mode { CreateNew, Append };

    virtual ~AppendFile() = default;
    // Writes all of text; false on failure.
    virtual bool Write(std::string_view text) = 0;
    // The open file as it is now (owner, links, size), read through its handle, so that it tells
    // of the very file written to; nullopt when the system does not say.
    virtual std::optional<EntryInfo> Info() const = 0;
};

// Opens the file name of folder for appending. CreateNew fails with EEXIST when the name exists
// (a symbolic link counts, even a dangling one); Append opens an existing file, or creates it.
// A file created gets exactly newFileMode, whatever the umask (on Windows, the rights the folder
// passes on). A symbolic link is never followed. Only regular files are written: anything else
// gives EINVAL (EISDIR for a folder, ENXIO for a FIFO nobody reads), never a wait. nullptr on
// failure, with the error number in *error.
std::unique_ptr<AppendFile> OpenAppendFile(const Directory& folder, std::string_view name,
                                           AppendFile::Mode mode, unsigned newFileMode, int* error);

struct FolderFile {
    std::string name;
    EntryInfo info;
};

// The regular files of a folder (not its subfolders, special files, nor symbolic links even to
// regular files) whose names wanted accepts, in no particular order, each with what
// Directory::Stat tells of it; empty when the folder cannot be read.
std::vector<FolderFile> ListRegularFiles(const Directory& folder,
                                         const std::function<bool(std::string_view)>& wanted);

// Removes a file by path; 0 or the error number.
int RemoveFileAt(const std::string& path);

}  // namespace quellix::platform
