#pragma once

#include <string>

namespace quellix {

// Why the file that --ini names cannot be a configuration file: "no such folder", "is a folder",
// "is not a regular file", or the system's words for another failure. Empty when it can be one:
// a regular file, or nothing yet in an existing folder (the first write creates it). Whether the
// program may go by the file (its links, its owner, its size) is judged at start-up, where it is
// a configuration error.
std::string UnusableIniReason(const std::string& path);

}  // namespace quellix
