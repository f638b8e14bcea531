#pragma once

#include <string>

namespace quellix::platform::win32 {

struct PathParts {
    std::wstring folder;  // without a trailing "\" unless a volume root ("C:\")
    std::wstring name;    // empty when the path ends in a separator or is a root
};

// Splits a wide path at its last "\" or "/".
PathParts SplitLastComponent(const std::wstring& path);

// folder + "\" + name, without doubling a separator.
std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);

// The form the shell takes (without "\\?\", which it refuses; it also keeps paths in MAX_PATH
// buffers): "\\?\C:\x" gives "C:\x", "\\?\UNC\srv\share" gives "\\srv\share".
std::wstring ShellPath(const std::wstring& path);

// The path (without "\\?\") where writes to path land: an existing entry after its links, a new
// one under its folder's real path. Empty when the folder cannot be reached.
std::wstring WrittenPath(const std::string& path);

}  // namespace quellix::platform::win32
