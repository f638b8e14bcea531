#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <deque>
#include <optional>
#include <string>

#include "platform/directory.h"
#include "platform/posix/fd_io.h"
#include "platform/posix/file_location.h"
#include "platform/posix/paths.h"

namespace quellix::platform {

namespace {

constexpr int kMaxLinks = 40;  // as the kernel allows

// One step of the resolution: a component to enter, or the end of a link's target, where what
// was reached must belong to those who could have made the link.
struct Step {
    std::string name;
    bool linkEnd = false;
    uid_t linkFolderOwner = 0;
    uid_t linkOwner = 0;
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

// A path without a single link needs no step-by-step walk, since the rule is about links only: the
// kernel resolves it in one call and refuses it (ELOOP) at the first link. Any failure (a link, a
// missing folder, a kernel without openat2) leaves the answer to the walk, errno included.
int OpenFolderWithoutLinks(const std::string& path, int flags) {
    return posix::OpenWithoutLinksKeepingAccessTime(path.c_str(), flags | O_DIRECTORY | O_CLOEXEC);
}

// A user other than root and than us could have made the link to reach what is not theirs: the
// owner of the folder that holds it, and the link's own owner, who is someone else in a folder
// that others may write to, such as /tmp.
bool UnsafeTransition(const Step& linkEnd, uid_t reachedOwner) {
    const auto foreign = [reachedOwner](uid_t maker) {
        return maker != 0 && maker != ::geteuid() && maker != reachedOwner;
    };
    return foreign(linkEnd.linkFolderOwner) || foreign(linkEnd.linkOwner);
}

bool OnlyLinkEndsLeft(const std::deque<Step>& steps) {
    return std::all_of(steps.begin(), steps.end(), [](const Step& step) { return step.linkEnd; });
}

// Every link whose target ends where the walk ends lets it end at something of reachedOwner's.
bool LinkEndsAllow(const std::deque<Step>& steps, uid_t reachedOwner) {
    return std::none_of(steps.begin(), steps.end(), [reachedOwner](const Step& step) {
        return UnsafeTransition(step, reachedOwner);
    });
}

// Walks path from "/" or the current folder one component at a time, never letting the kernel
// follow a link: each link met is read and its target walked in its place, and where that
// target's walk ends, the rule is checked. Returns the folder reached (an O_PATH descriptor).
// With file given, the last component is not entered but located, through its links too: *file
// gets its name in the folder returned.
std::optional<posix::UniqueFd> Walk(const std::string& path, std::string* file) {
    if (path.empty() || path.find('\0') != std::string::npos) {
        errno = ENOENT;
        return std::nullopt;
    }
    if (file != nullptr && path.back() == '/') {
        errno = EISDIR;
        return std::nullopt;
    }
    if (file == nullptr) {
        if (posix::UniqueFd reached(OpenFolderWithoutLinks(path, O_PATH)); reached.Valid()) {
            return reached;
        }
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
            if (UnsafeTransition(step, currentInfo.st_uid)) {
                errno = EPERM;
                return std::nullopt;
            }
            continue;
        }
        if (step.name == ".") {
            continue;
        }
        const bool last = file != nullptr && OnlyLinkEndsLeft(steps);
        if (last && step.name == "..") {
            errno = EISDIR;
            return std::nullopt;
        }
        posix::UniqueFd next = OpenPath(current.Get(), step.name.c_str(), O_NOFOLLOW);
        struct stat nextInfo {};
        if (!next.Valid() && last && errno == ENOENT) {
            // Nothing there yet: a write would create it in the folder reached.
            if (!LinkEndsAllow(steps, currentInfo.st_uid)) {
                errno = EPERM;
                return std::nullopt;
            }
            *file = step.name;
            return current;
        }
        if (!next.Valid() || ::fstat(next.Get(), &nextInfo) != 0) {
            return std::nullopt;
        }
        if (S_ISLNK(nextInfo.st_mode)) {
            const std::optional<std::string> target = posix::ReadLinkAt(next.Get(), "");
            if (++links > kMaxLinks || !target || target->empty()) {
                errno = ELOOP;
                return std::nullopt;
            }
            steps.push_front({"", true, currentInfo.st_uid, nextInfo.st_uid});
            PushComponentsFront(steps, *target);
            if (target->front() == '/') {
                current = OpenPath(AT_FDCWD, "/", O_DIRECTORY);
                if (!current.Valid() || ::fstat(current.Get(), &currentInfo) != 0) {
                    return std::nullopt;
                }
            }
            continue;
        }
        if (last) {
            if (!LinkEndsAllow(steps, nextInfo.st_uid)) {
                errno = EPERM;
                return std::nullopt;
            }
            *file = step.name;
            return current;
        }
        if (!S_ISDIR(nextInfo.st_mode)) {
            errno = ENOTDIR;
            return std::nullopt;
        }
        current = std::move(next);
        currentInfo = nextInfo;
    }
    if (file != nullptr) {
        errno = EISDIR;
        return std::nullopt;
    }
    return current;
}

}  // namespace

std::optional<Directory> Directory::Open(const std::string& path) {
    if (!path.empty() && path.find('\0') == std::string::npos) {
        if (const int fd = OpenFolderWithoutLinks(path, O_RDONLY); fd >= 0) {
            return Directory(fd);
        }
    }
    const std::optional<posix::UniqueFd> reached = Walk(path, nullptr);
    if (!reached) {
        return std::nullopt;
    }
    const int fd =
        posix::OpenAtKeepingAccessTime(reached->Get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    return Directory(fd);
}

namespace posix {

std::optional<FileLocation> LocateFile(const std::string& path) {
    std::string name;
    std::optional<UniqueFd> folder = Walk(path, &name);
    if (!folder) {
        return std::nullopt;
    }
    return FileLocation{std::move(*folder), std::move(name)};
}

std::optional<UniqueFd> ReachFolder(const std::string& path) {
    return Walk(path, nullptr);
}

}  // namespace posix

}  // namespace quellix::platform
