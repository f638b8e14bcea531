#pragma once

#include <string>
#include <string_view>

#include "platform/path_style.h"

namespace quellix::platform {

// Only a path from a root names the same place wherever the program was started.
inline bool IsAbsolutePath(std::string_view path) {
    return RootLength(path) > 0;
}

// The folder path ending in the separator (any separator the system takes counts).
std::string WithTrailingSeparator(std::string path);

// folder and name with one separator between them.
std::string JoinPath(std::string_view folder, std::string_view name);

// The folder that holds path: without a trailing separator, except a root, which is kept whole;
// "." for a bare name.
std::string ParentFolder(std::string_view path);

// What follows the last separator.
std::string_view LastName(std::string_view path);

}  // namespace quellix::platform
