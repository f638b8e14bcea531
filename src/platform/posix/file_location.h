#pragma once

#include <optional>
#include <string>

#include "platform/posix/fd_io.h"

namespace quellix::platform::posix {

// A file reached through its folder: the folder, open, and the file's name in it (which may name
// nothing yet). Work on the file goes relative to the folder, so that nothing swapped in on the
// way between two steps can send it elsewhere.
struct FileLocation {
    UniqueFd folder;
    std::string name;
};

// Where the file at path is: every link on the way is followed under the rule of
// Directory::Open, a link as last component too. Such a link must lead to something of its
// folder's owner and of its own owner (unless they are root or us), and where it leads to
// nothing yet, into a folder of theirs: otherwise another user could make this process write
// files of others, or create files in their folders. nullopt with errno set: EPERM for a link
// that breaks the rule, ENOENT or ENOTDIR for a missing folder on the way, EISDIR when path names
// a folder by its form ("/", a trailing "/", "." or ".." last), ELOOP, or the error of the step
// that failed.
std::optional<FileLocation> LocateFile(const std::string& path);

// The folder at path, reached as Directory::Open reaches it, as an O_PATH descriptor (enough to
// name it, where Directory::Open would also need to list it). nullopt with errno set, EPERM for a
// link that breaks the rule.
std::optional<UniqueFd> ReachFolder(const std::string& path);

}  // namespace quellix::platform::posix
