#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <deque>
#include <optional>
#include <string>

#include "platform/directory.h"
#include "platform/posix/fd_io.h"
#include "platform/posix/paths.h"

namespace quellix::platform {

namespace {

constexpr int kMaxLinks = 40;  // as the kernel allows

// One step of the resolution: a component to enter, or the end of a link's target, where the
// folder reached must belong to the owner of the folder that held the link.
struct Step {
    std::string name;
    bool linkEnd = false;
    uid_t linkFolderOwner = 0;
};

void PushComponentsFront(std::deque<Step>& steps, const std::string& path) {
    std::deque<Step> parts;
    for (std::size_t start = 0; start <= path.size();) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        if (end > start) {
            parts.push_back({path.substr(start, end - start)});
        }
        start = end + 1;
    }
    steps.insert(steps.begin(), parts.begin(), parts.end());
}

posix::UniqueFd OpenPath(int at, const char* name, int extraFlags) {
    int fd;
    do {
        fd = ::openat(at, name, O_PATH | O_CLOEXEC | extraFlags);
    } while (fd < 0 && errno == EINTR);
    return posix::UniqueFd(fd);
}

// A user other than root and than us could have made the link to reach what is not theirs.
bool UnsafeTransition(uid_t linkFolderOwner, uid_t reachedOwner) {
    return linkFolderOwner != 0 && linkFolderOwner != ::geteuid() &&
           reachedOwner != linkFolderOwner;
}

}  // namespace

std::optional<Directory> Directory::Open(const std::string& path) {
    if (path.empty() || path.find('\0') != std::string::npos) {
        return std::nullopt;
    }
    posix::UniqueFd current = OpenPath(AT_FDCWD, path.front() == '/' ? "/" : ".", O_DIRECTORY);
    struct stat currentInfo {};
    if (!current.Valid() || ::fstat(current.Get(), &currentInfo) != 0) {
        return std::nullopt;
    }
    std::deque<Step> steps;
    PushComponentsFront(steps, path);
    int links = 0;
    while (!steps.empty()) {
        const Step step = std::move(steps.front());
        steps.pop_front();
        if (step.linkEnd) {
            if (UnsafeTransition(step.linkFolderOwner, currentInfo.st_uid)) {
                errno = EPERM;
                return std::nullopt;
            }
            continue;
        }
        if (step.name == ".") {
            continue;
        }
        posix::UniqueFd next = OpenPath(current.Get(), step.name.c_str(), O_NOFOLLOW);
        struct stat nextInfo {};
        if (!next.Valid() || ::fstat(next.Get(), &nextInfo) != 0) {
            return std::nullopt;
        }
        if (S_ISLNK(nextInfo.st_mode)) {
            const std::optional<std::string> target = posix::ReadLinkAt(next.Get(), "");
            if (++links > kMaxLinks || !target || target->empty()) {
                errno = ELOOP;
                return std::nullopt;
            }
            steps.push_front({"", true, currentInfo.st_uid});
            PushComponentsFront(steps, *target);
            if (target->front() == '/') {
                current = OpenPath(AT_FDCWD, "/", O_DIRECTORY);
                if (!current.Valid() || ::fstat(current.Get(), &currentInfo) != 0) {
                    return std::nullopt;
                }
            }
            continue;
        }
        if (!S_ISDIR(nextInfo.st_mode)) {
            errno = ENOTDIR;
            return std::nullopt;
        }
        current = std::move(next);
        currentInfo = nextInfo;
    }
    int fd;
    do {
        fd = ::openat(current.Get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        return std::nullopt;
    }
    return Directory(fd);
}

}  // namespace quellix::platform
