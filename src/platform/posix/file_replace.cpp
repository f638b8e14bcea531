#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/companion_files.h"
#include "platform/file_system.h"
#include "platform/posix/current_umask.h"
#include "platform/posix/fd_io.h"
#include "platform/posix/link_target.h"
#include "platform/posix/paths.h"

namespace quellix::platform {

namespace {

// Gives the new file the old one's owner and permissions. Changing the owner only works for a
// privileged process; an unprivileged one ends up owning the file, as with any editor that saves
// by renaming. The owner goes first because chown clears set-user-ID bits.
bool TakeOverAttributes(int fd, const struct stat* old) {
    if (old == nullptr) {
        return ::fchmod(fd, 0666 & ~posix::CurrentUmask()) == 0;
    }
    struct stat fresh {};
    if (::fstat(fd, &fresh) == 0 && (fresh.st_uid != old->st_uid || fresh.st_gid != old->st_gid) &&
        ::fchown(fd, old->st_uid, old->st_gid) != 0) {
        // Not permitted: the file stays ours.
    }
    return ::fchmod(fd, old->st_mode & 07777) == 0;
}

// Makes the rename itself durable.
void SyncFolder(const std::string& folder) {
    posix::UniqueFd fd = posix::OpenFile(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd.Valid()) {
        posix::SyncFd(fd.Get());
    }
}

}  // namespace

bool ReplaceFileContents(const std::string& path, const std::string& contents,
                         std::optional<unsigned> mode) {
    const std::optional<std::string> target = posix::FollowLinks(path);
    if (!target) {
        return false;
    }
    const posix::PathParts parts = posix::SplitLastComponent(*target);
    if (parts.name.empty()) {
        return false;
    }

    struct stat old {};
    const bool exists = ::stat(target->c_str(), &old) == 0;
    if (!exists && errno != ENOENT) {
        return false;
    }
    // Renaming a regular file over a FIFO or device would silently change what the path is.
    if (exists && !S_ISREG(old.st_mode)) {
        return false;
    }

    // Same folder as the target, so the rename cannot cross file systems; named after the target,
    // so that a crash's leftover can be told from the temporaries of other files' writers.
    std::string temporary = posix::JoinPath(parts.folder, TemporaryNameTemplate(parts.name));
    posix::UniqueFd fd(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!fd.Valid()) {
        return false;
    }
    bool ok = posix::WriteAll(fd.Get(), contents) && posix::SyncFd(fd.Get()) &&
              (mode ? ::fchmod(fd.Get(), static_cast<mode_t>(*mode & 07777)) == 0
                    : TakeOverAttributes(fd.Get(), exists ? &old : nullptr));
    ok = fd.Close() && ok;
    ok = ok && ::rename(temporary.c_str(), target->c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    // The new content is in place from here on; a failed folder sync cannot undo that, so it does
    // not turn the result into a failure.
    SyncFolder(parts.folder);
    return true;
}

}  // namespace quellix::platform
