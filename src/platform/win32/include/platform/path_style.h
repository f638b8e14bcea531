#pragma once

#include <cstddef>
#include <string_view>

namespace quellix::platform {

// Paths are written with "\" as the system writes them; "/" is taken as well on the way in.
inline constexpr char kPathSeparator = '\\';

constexpr bool IsPathSeparator(char c) {
    return c == '\\' || c == '/';
}

// The length of the path's root: "C:\" for a drive, "\\server\share\" for a network share
// (without the last "\" when the path ends there); 0 when the path depends on the current drive
// or folder ("C:name", "\name", "name").
constexpr std::size_t RootLength(std::string_view path) {
    const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    if (path.size() >= 3 && letter(path[0]) && path[1] == ':' && IsPathSeparator(path[2])) {
        return 3;
    }
    if (path.size() < 3 || !IsPathSeparator(path[0]) || !IsPathSeparator(path[1]) ||
        IsPathSeparator(path[2])) {
        return 0;
    }
    std::size_t end = 2;
    for (int part = 0; part < 2; ++part) {
        const std::size_t start = end;
        while (end < path.size() && !IsPathSeparator(path[end])) {
            ++end;
        }
        if (end == start) {
            return 0;  // "\\server\" without a share
        }
        if (part == 0) {
            if (end == path.size()) {
                return 0;
            }
            ++end;
        }
    }
    return end < path.size() ? end + 1 : end;
}

}  // namespace quellix::platform
