#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/os_info.h"
#include "platform/posix/file_location.h"
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

// realpath(3) of a folder, its links followed only under the rule of Directory::Open. A folder
// reached through a link another user could have planted is left as written, so that whatever
// later opens the path meets that link, and refuses it, instead of a path it never sees.
std::optional<std::string> ResolvedFolder(const std::string& folder) {
    const std::optional<posix::UniqueFd> reached = posix::ReachFolder(folder);
    if (!reached) {
        return errno == EPERM ? std::optional(folder) : std::nullopt;
    }
    std::optional<std::string> path =
        posix::ReadLink("/proc/self/fd/" + std::to_string(reached->Get()));
    // Without /proc, the kernel's own resolution, which the walk has just found safe.
    if (!path || path->empty() || path->front() != '/') {
        return posix::RealPath(folder);
    }
    return path;
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
        return ResolvedFolder(absolute).value_or(path);
    }
    const std::optional<std::string> folder = ResolvedFolder(parts.folder);
    if (!folder) {
        return path;
    }
    return posix::JoinPath(*folder, parts.name);
}

}  // namespace quellix::platform
