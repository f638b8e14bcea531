#include "platform/posix/link_target.h"

#include <sys/stat.h>

#include <cerrno>

#include "platform/posix/paths.h"

namespace quellix::platform::posix {

namespace {

// Same limit as the kernel's for one path lookup.
constexpr int kMaxLinkHops = 40;

}  // namespace

std::optional<std::string> FollowLinks(std::string path) {
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0) {
            if (errno == ENOENT) {
                return path;
            }
            return std::nullopt;
        }
        if (!S_ISLNK(info.st_mode)) {
            return path;
        }
        std::optional<std::string> target = ReadLink(path);
        if (!target || target->empty()) {
            return std::nullopt;
        }
        path = (*target)[0] == '/' ? *target : JoinPath(SplitLastComponent(path).folder, *target);
    }
    return std::nullopt;
}

}  // namespace quellix::platform::posix
