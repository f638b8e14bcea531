#pragma once

#include <cstddef>
#include <string_view>

namespace quellix::platform {

// Names in a path are joined by "/", and a path from the root starts with it.
inline constexpr char kPathSeparator = '/';

constexpr bool IsPathSeparator(char c) {
    return c == '/';
}

// The length of the path's root ("/"); 0 for a relative path.
constexpr std::size_t RootLength(std::string_view path) {
    return !path.empty() && path.front() == '/' ? 1 : 0;
}

}  // namespace quellix::platform
