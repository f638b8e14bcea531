#pragma once

#include <string>

namespace quellix::platform {

// Release string of the running kernel, such as "6.1.0-18-amd64" (empty when unknown).
std::string KernelRelease();

// Content of the distribution's os-release file (empty when there is none).
std::string OsReleaseText();

// Absolute form of path with "." and ".." resolved and every symbolic link of its folder part
// followed; the last component need not exist. Returns path unchanged when it cannot be resolved.
// A link that another user could have planted (the rule of Directory::Open) is not followed: the
// path keeps it, so that whatever opens the path meets it and refuses it.
std::string CanonicalPath(const std::string& path);

}  // namespace quellix::platform
