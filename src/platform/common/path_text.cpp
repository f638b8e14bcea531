#include "platform/path_text.h"

namespace quellix::platform {

namespace {

std::size_t LastSeparator(std::string_view path) {
    for (std::size_t i = path.size(); i > 0; --i) {
        if (IsPathSeparator(path[i - 1])) {
            return i - 1;
        }
    }
    return std::string_view::npos;
}

}  // namespace

std::string WithTrailingSeparator(std::string path) {
    if (path.empty() || !IsPathSeparator(path.back())) {
        path += kPathSeparator;
    }
    return path;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.empty() && !IsPathSeparator(path.back())) {
        path += kPathSeparator;
    }
    path += name;
    return path;
}

std::string ParentFolder(std::string_view path) {
    const std::size_t root = RootLength(path);
    const std::size_t separator = LastSeparator(path);
    if (separator == std::string_view::npos && root == 0) {
        return ".";
    }
    if (separator == std::string_view::npos || separator < root) {
        return std::string(path.substr(0, root));
    }
    return std::string(path.substr(0, separator));
}

std::string_view LastName(std::string_view path) {
    const std::size_t separator = LastSeparator(path);
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

}  // namespace quellix::platform
