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

// The path (without "\\?\") where writes to path land: an existing entry after its links, a new
// one under its folder's real path. Empty when the folder cannot be reached.
std::wstring WrittenPath(const std::string& path);

}  // namespace quellix::platform::win32
