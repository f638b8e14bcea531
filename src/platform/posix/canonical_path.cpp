#include <unistd.h>

#include <cstdlib>
#include <memory>

#include "platform/os_info.h"
#include "platform/posix/paths.h"

namespace quellix::platform {

namespace {

std::optional<std::string> CurrentFolder() {
    const std::unique_ptr<char, decltype(&std::free)> folder(::getcwd(nullptr, 0), &std::free);
    if (!folder) {
        return std::nullopt;
    }
    return std::string(folder.get());
}

}  // namespace

std::string CanonicalPath(const std::string& path) {
    if (path.empty()) {
        return path;
    }
    std::string absolute = path;
    if (absolute.front() != '/') {
        const std::optional<std::string> current = CurrentFolder();
        if (!current) {
            return path;
        }
        absolute = posix::JoinPath(*current, path);
    }
    while (absolute.size() > 1 && absolute.back() == '/') {
        absolute.pop_back();
    }

    const posix::PathParts parts = posix::SplitLastComponent(absolute);
    // "." and ".." as last component are folders of their own: they must exist to be resolved.
    if (parts.name.empty() || parts.name == "." || parts.name == "..") {
        return posix::RealPath(absolute).value_or(path);
    }
    const std::optional<std::string> folder = posix::RealPath(parts.folder);
    if (!folder) {
        return path;
    }
    return posix::JoinPath(*folder, parts.name);
}

}  // namespace quellix::platform
