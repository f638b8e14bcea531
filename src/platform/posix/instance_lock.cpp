#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/companion_files.h"
#include "platform/os_info.h"
#include "platform/posix/abstract_socket_lock.h"
#include "platform/posix/fd_io.h"
#include "platform/posix/file_location.h"
#include "platform/posix/link_target.h"
#include "platform/posix/paths.h"

namespace quellix::platform {

namespace {

class LockFile final : public InstanceLock {
  public:
    explicit LockFile(posix::UniqueFd fd) : fd_(std::move(fd)) {}
    bool ExcludesEveryWriter() const override { return true; }

  private:
    posix::UniqueFd fd_;
};

// Whoever may write the configuration file may take its lock, and nobody else may open the lock
// file at all: a read lock, which a descriptor open for reading is enough for, would block ours.
mode_t LockFileMode(const struct stat* config) {
    mode_t mode = S_IRUSR | S_IWUSR;
    if (config != nullptr && (config->st_mode & S_IWGRP) != 0) {
        mode |= S_IRGRP | S_IWGRP;
    }
    if (config != nullptr && (config->st_mode & S_IWOTH) != 0) {
        mode |= S_IROTH | S_IWOTH;
    }
    return mode;
}

// A lock file made by a privileged copy goes to the configuration file's owner (the folder's
// before the file exists), who would otherwise be shut out of their own file by it. Only ever
// done to a file this process has just created.
void HandOver(int fd, const struct stat& owner, mode_t mode) {
    if (::fchown(fd, owner.st_uid, owner.st_gid) != 0 &&
        ::fchown(fd, static_cast<uid_t>(-1), owner.st_gid) != 0) {
        // Not permitted: the file stays ours, with our group.
    }
    ::fchmod(fd, mode);
}

// Only a lock file that we or the configuration's owner made can be trusted to be the one every
// copy takes: one of another user's (or a second link of some file, reachable from elsewhere)
// could be held by its owner, with a read lock, to stop every run.
bool IsTrustedLockFile(const struct stat& info, uid_t configOwner) {
    return S_ISREG(info.st_mode) && info.st_nlink == 1 &&
           (info.st_uid == ::geteuid() || info.st_uid == configOwner);
}

// The lock file, open for writing; invalid where none can be made, opened or trusted here, which
// leaves the stand-in.
posix::UniqueFd OpenLockFile(int folder, const std::string& name, const struct stat* config,
                             const struct stat& folderInfo) {
    const struct stat& owner = config != nullptr ? *config : folderInfo;
    // A few rounds, for a lock file removed by hand between our steps.
    for (int round = 0; round < 3; ++round) {
        posix::UniqueFd created(::openat(
            folder, name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC,
            S_IRUSR | S_IWUSR));
        if (created.Valid()) {
            HandOver(created.Get(), owner, LockFileMode(config));
            return created;
        }
        if (errno != EEXIST) {
            return {};
        }
        // Never opened unless it is trusted: a device or FIFO there must not be touched.
        struct stat seen {};
        if (::fstatat(folder, name.c_str(), &seen, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno == ENOENT) {
                continue;
            }
            return {};
        }
        if (!IsTrustedLockFile(seen, owner.st_uid)) {
            return {};
        }
        posix::UniqueFd existing(::openat(folder, name.c_str(),
                                          O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
        if (!existing.Valid()) {
            if (errno == ENOENT) {
                continue;
            }
            return {};
        }
        struct stat opened {};
        if (::fstat(existing.Get(), &opened) != 0 || !IsTrustedLockFile(opened, owner.st_uid) ||
            opened.st_ino != seen.st_ino || opened.st_dev != seen.st_dev) {
            return {};
        }
        return existing;
    }
    return {};
}

// The file the configuration's writes land on, the same for every spelling of it.
std::string LockedPath(const std::string& configPath) {
    const std::string canonical = CanonicalPath(configPath);
    const std::optional<std::string> target = posix::FollowLinks(canonical);
    return target ? CanonicalPath(*target) : canonical;
}

}  // namespace

std::unique_ptr<InstanceLock> TryAcquireInstanceLock(const std::string& configPath) {
    const auto standIn = [&] {
        return posix::TryAcquireAbstractSocketLock("Quellix:" + LockedPath(configPath));
    };
    // Reached as the configuration file's writes reach it, so the lock file is never made
    // through a link another user planted.
    const std::optional<posix::FileLocation> file = posix::LocateFile(configPath);
    if (!file) {
        return standIn();
    }
    struct stat config {};
    const bool configExists =
        ::fstatat(file->folder.Get(), file->name.c_str(), &config, AT_SYMLINK_NOFOLLOW) == 0;
    // A folder or device given as configuration file can never be written: nothing to guard.
    if (configExists && !S_ISREG(config.st_mode)) {
        return standIn();
    }
    struct stat folderInfo {};
    if (::fstat(file->folder.Get(), &folderInfo) != 0) {
        return standIn();
    }
    posix::UniqueFd lockFile = OpenLockFile(file->folder.Get(), LockFileName(file->name),
                                            configExists ? &config : nullptr, folderInfo);
    if (!lockFile.Valid()) {
        return standIn();
    }
    // Taking a write lock needs a descriptor open for writing; the kernel drops it with the
    // descriptor, however the process ends.
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 0;
    if (::fcntl(lockFile.Get(), F_OFD_SETLK, &lock) == 0) {
        return std::make_unique<LockFile>(std::move(lockFile));
    }
    if (errno == EAGAIN || errno == EACCES) {
        return nullptr;
    }
    // A file system without locks.
    return standIn();
}

}  // namespace quellix::platform
