#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "platform/file_system.h"

namespace quellix::platform {

// What stands at the configuration file's path for a run about to use it. The path is followed as
// Directory::Open follows a folder's, a link as last component included. On Windows, where files
// carry no owner the program could judge, no file is UnsafeLink or Untrusted.
enum class ConfigFileState {
    Regular,        // a regular file this process may go by
    Missing,        // nothing at the name, in an existing folder: the first write creates it
    MissingFolder,  // a folder on the way does not exist
    Folder,
    NotRegular,   // FIFO, socket or device
    UnsafeLink,   // a link on the way that another user could have planted
    Untrusted,    // for a process acting as root, a file of another user's, or that group or
                  // others may write: whoever can change it could choose what root deletes
    TooLarge,     // over the reader's limit
    Unreachable,  // any other failure
};

struct ConfigFileRead {
    ConfigFileState state = ConfigFileState::Unreachable;
    // The system's error number, for Unreachable.
    int error = 0;
    // Regular: the whole content (ReadConfigFile only).
    std::string text;
    // Regular: the stamp of what was looked at or read.
    std::optional<FileStamp> stamp;
};

// What is at path, without reading it: never TooLarge.
ConfigFileRead InspectConfigFile(const std::string& path);

// The content of the file at path. Never more than maxBytes are read, nor held: a larger file is
// TooLarge, and is judged by its size before any of it is read.
ConfigFileRead ReadConfigFile(const std::string& path, std::size_t maxBytes);

// ReplaceFileContents for the configuration file: only a file InspectConfigFile finds Regular or
// Missing is replaced or created. A process acting as root creates the file for root alone (0600);
// others create it as any program does (0666 less the umask).
bool ReplaceConfigFile(const std::string& path, const std::string& contents);

}  // namespace quellix::platform
