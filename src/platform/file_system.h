#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quellix::platform {

// Identity of a file's current content: changes whenever the file is replaced or written.
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;
    std::int64_t changedSeconds = 0;
    std::int64_t changedNanoseconds = 0;
    bool operator==(const FileStamp&) const = default;
};

// Whole content of a regular file; nullopt when it does not exist or cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Stamp of the file at path; nullopt when there is none.
std::optional<FileStamp> GetFileStamp(const std::string& path);

// Replaces the file's content so that a reader (or a crash) sees either the old content or the
// new one, never a mix: writes a temporary file in the same folder, flushes it to disk and
// renames it over the old file, keeping the old file's permissions. A symbolic link is followed
// and its target replaced, but only under the rule of Directory::Open (for the last component
// too), and the work is done relative to the folder reached, so no link planted on the way sends
// the write elsewhere. Returns false on any failure, leaving the old file untouched and no
// temporary file behind. The temporary is named after the file (TemporaryNameTemplate), so that
// what a killed writer leaves can be told apart and removed (RemoveLeftoverTemporaries). With mode
// given, the file gets exactly that mode instead, whatever the old file's or the umask (for files
// others must not be able to change).
bool ReplaceFileContents(const std::string& path, const std::string& contents,
                         std::optional<unsigned> mode = std::nullopt);

// True when path names an existing folder (following symbolic links).
bool IsExistingDirectory(const std::string& path);

// True when path names any existing file system entry (links are not followed).
bool PathExists(const std::string& path);

// True when this process may create files in the folder at path.
bool IsWritableFolder(const std::string& path);

// Creates the folder at path and any missing folder above it, each opened without following
// links and made with mode (narrowed by the umask). True when the folder exists afterwards.
// (Windows has no modes: folders get the rights they inherit.)
bool MakeFolders(std::string path, unsigned mode = 0777);

}  // namespace quellix::platform
