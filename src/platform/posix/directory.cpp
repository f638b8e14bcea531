#include "platform/directory.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <string>

#include "platform/posix/component_name.h"
#include "platform/posix/entry_stat.h"
#include "platform/posix/fd_io.h"
#include "platform/posix/paths.h"

namespace quellix::platform {

namespace {

int OpenFolder(int at, const char* name, int extraFlags) {
    return posix::OpenAtKeepingAccessTime(at, name,
                                          O_RDONLY | O_DIRECTORY | O_CLOEXEC | extraFlags);
}

int ResultOf(int callResult) {
    return callResult == 0 ? 0 : errno;
}

}  // namespace

Directory::~Directory() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

Directory::Directory(Directory&& other) noexcept
    : fd_(other.fd_), localFileSystem_(other.localFileSystem_), listing_(other.listing_) {
    other.fd_ = -1;
}

Directory& Directory::operator=(Directory&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        fd_ = other.fd_;
        localFileSystem_ = other.localFileSystem_;
        listing_ = other.listing_;
        other.fd_ = -1;
    }
    return *this;
}

std::optional<Directory> Directory::OpenChild(std::string_view name) const {
    const posix::ComponentName child(name);
    if (!child.Valid()) {
        return std::nullopt;
    }
    const int fd = OpenFolder(fd_, child.CStr(), O_NOFOLLOW);
    if (fd < 0) {
        return std::nullopt;
    }
    return Directory(fd);
}

std::optional<Directory> Directory::Duplicate() const {
    const int fd = OpenFolder(fd_, ".", 0);
    if (fd < 0) {
        return std::nullopt;
    }
    return Directory(fd);
}

std::optional<Directory> Directory::OpenParent() const {
    const int fd = OpenFolder(fd_, "..", 0);
    if (fd < 0) {
        return std::nullopt;
    }
    return Directory(fd);
}

std::optional<Directory> Directory::OpenOrMakeChildLike(std::string_view name,
                                                        const EntryInfo& like) const {
    if (auto existing = OpenChild(name)) {
        return existing;
    }
    const posix::ComponentName child(name);
    if (!child.Valid()) {
        return std::nullopt;
    }
    // Private from the first moment: nobody may look in before the right bits are set.
    if (::mkdirat(fd_, child.CStr(), 0700) != 0) {
        return errno == EEXIST ? OpenChild(name) : std::nullopt;
    }
    auto made = OpenChild(name);
    struct stat info {};
    // Only a folder that is still the one just made (ours) takes the source's owner and bits.
    if (!made || ::fstat(made->fd_, &info) != 0 || info.st_uid != ::geteuid()) {
        return made;
    }
    // Should root fail to give it away, the folder stays root's, which keeps it as private.
    [[maybe_unused]] const bool givenAway =
        ::geteuid() == 0 && ::fchown(made->fd_, like.owner, like.group) == 0;
    ::fchmod(made->fd_, static_cast<mode_t>((like.mode & 07777) | S_IRWXU));
    return made;
}

std::optional<EntryInfo> StatPath(const std::string& path) {
    if (path.empty() || path.find('\0') != std::string::npos) {
        return std::nullopt;
    }
    return posix::StatEntry(AT_FDCWD, path.c_str(), 0);
}

std::size_t FolderHandleBudget() {
    constexpr std::size_t kReserved = 128;  // log, moves in progress, trash, listings
    constexpr std::size_t kMost = 256;
    struct rlimit limit {};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) {
        return kMost;
    }
    const auto soft = static_cast<std::size_t>(limit.rlim_cur);
    // Each level holds its folder and, for a move, the folder mirroring it.
    const std::size_t share = soft > kReserved ? (soft - kReserved) / 2 : 0;
    return std::clamp(share, kLeastFolderHandles, kMost);
}

std::optional<EntryInfo> Directory::Stat(std::string_view name) const {
    const posix::ComponentName entry(name);
    if (!entry.Valid()) {
        return std::nullopt;
    }
    return posix::StatEntry(fd_, entry.CStr(), AT_SYMLINK_NOFOLLOW);
}

std::optional<EntryInfo> Directory::StatSelf() const {
    return posix::StatEntry(fd_, "", AT_EMPTY_PATH | AT_SYMLINK_NOFOLLOW);
}

int Directory::SetOwnerWritable(std::string_view name) const {
    const posix::ComponentName entry(name);
    if (!entry.Valid()) {
        return entry.Error();
    }
    // The mode is read and changed through one handle on the entry, so the change cannot land on
    // something put in its place meanwhile, nor on what a link swapped in points to.
    const posix::UniqueFd handle(::openat(fd_, entry.CStr(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
    if (!handle.Valid()) {
        return errno;
    }
    struct stat info {};
    if (::fstat(handle.Get(), &info) != 0) {
        return errno;
    }
    // A link's own permission bits are never checked by Linux: nothing to change.
    if (S_ISLNK(info.st_mode) || (info.st_mode & S_IWUSR) != 0) {
        return 0;
    }
    const std::string viaProc = "/proc/self/fd/" + std::to_string(handle.Get());
    return ResultOf(::chmod(viaProc.c_str(), (info.st_mode & 07777) | S_IWUSR));
}

int Directory::RemoveFile(std::string_view name) const {
    const posix::ComponentName entry(name);
    if (!entry.Valid()) {
        return entry.Error();
    }
    return ResultOf(::unlinkat(fd_, entry.CStr(), 0));
}

int Directory::RemoveEmptyDirectory(std::string_view name) const {
    const posix::ComponentName entry(name);
    if (!entry.Valid()) {
        return entry.Error();
    }
    return ResultOf(::unlinkat(fd_, entry.CStr(), AT_REMOVEDIR));
}

int Directory::MakeDirectory(std::string_view name, unsigned mode) const {
    const posix::ComponentName entry(name);
    if (!entry.Valid()) {
        return entry.Error();
    }
    return ResultOf(::mkdirat(fd_, entry.CStr(), static_cast<mode_t>(mode)));
}

int Directory::MakeSymlink(std::string_view name, const std::string& target) const {
    const posix::ComponentName entry(name);
    if (!entry.Valid()) {
        return entry.Error();
    }
    if (target.empty() || target.find('\0') != std::string::npos) {
        return EINVAL;
    }
    return ResultOf(::symlinkat(target.c_str(), fd_, entry.CStr()));
}

std::optional<std::string> Directory::LinkTarget(std::string_view name) const {
    const posix::ComponentName entry(name);
    if (!entry.Valid()) {
        return std::nullopt;
    }
    return posix::ReadLinkAt(fd_, entry.CStr());
}

int Directory::CanMakeSymlink(std::string_view name, const std::string& target) const {
    const posix::ComponentName entry(name);
    if (!entry.Valid()) {
        return entry.Error();
    }
    if (target.empty() || target.find('\0') != std::string::npos) {
        return EINVAL;
    }
    if (target.size() >= PATH_MAX) {
        return ENAMETOOLONG;
    }
    struct stat existing;
    if (::fstatat(fd_, entry.CStr(), &existing, AT_SYMLINK_NOFOLLOW) == 0) {
        return EEXIST;
    }
    return errno == ENOENT ? 0 : errno;
}

}  // namespace quellix::platform
