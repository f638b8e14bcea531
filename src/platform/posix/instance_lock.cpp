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

enum class Outcome {
    Opened,      // a plain file of ours, open for writing
    NoLockFile,  // none can be made or written here: the stand-in is used
    Untrusted,   // something else has the name: never used
};

struct OpenedLockFile {
    Outcome outcome;
    posix::UniqueFd fd;
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

bool IsPlainFile(const struct stat& info) {
    // A second link would make the file reachable from elsewhere, outside the folder's control.
    return S_ISREG(info.st_mode) && info.st_nlink == 1;
}

bool FolderIsWritable(int folder) {
    return ::faccessat(folder, ".", W_OK, AT_EACCESS) == 0;
}

OpenedLockFile OpenLockFile(int folder, const std::string& name, const struct stat* config,
                            const struct stat& folderInfo) {
    // A few rounds, for a lock file removed by hand between our steps.
    for (int round = 0; round < 3; ++round) {
        posix::UniqueFd created(::openat(
            folder, name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC,
            S_IRUSR | S_IWUSR));
        if (created.Valid()) {
            HandOver(created.Get(), config != nullptr ? *config : folderInfo, LockFileMode(config));
            return {Outcome::Opened, std::move(created)};
        }
        if (errno != EEXIST) {
            return {Outcome::NoLockFile, {}};
        }
        // Never opened unless it is a plain file: a device or FIFO there must not be touched.
        struct stat seen {};
        if (::fstatat(folder, name.c_str(), &seen, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno == ENOENT) {
                continue;
            }
            return {Outcome::Untrusted, {}};
        }
        if (!IsPlainFile(seen)) {
            return {Outcome::Untrusted, {}};
        }
        posix::UniqueFd existing(::openat(folder, name.c_str(),
                                          O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
        if (!existing.Valid()) {
            if (errno == ENOENT) {
                continue;
            }
            // Where this process cannot write the folder it cannot write the configuration
            // either: the lock file of those who can is not its business.
            const bool mayWrite = errno != EROFS && FolderIsWritable(folder);
            return {mayWrite ? Outcome::Untrusted : Outcome::NoLockFile, {}};
        }
        struct stat opened {};
        if (::fstat(existing.Get(), &opened) != 0 || !IsPlainFile(opened) ||
            opened.st_ino != seen.st_ino || opened.st_dev != seen.st_dev) {
            return {Outcome::Untrusted, {}};
        }
        return {Outcome::Opened, std::move(existing)};
    }
    return {Outcome::Untrusted, {}};
}

// The file the configuration's writes land on, the same for every spelling of it.
std::string LockedPath(const std::string& configPath) {
    const std::string canonical = CanonicalPath(configPath);
    const std::optional<std::string> target = posix::FollowLinks(canonical);
    return target ? CanonicalPath(*target) : canonical;
}

}  // namespace

std::unique_ptr<InstanceLock> TryAcquireInstanceLock(const std::string& configPath) {
    const std::string path = LockedPath(configPath);
    const auto standIn = [&] { return posix::TryAcquireAbstractSocketLock("Quellix:" + path); };
    const posix::PathParts parts = posix::SplitLastComponent(path);
    struct stat config {};
    const bool configExists = ::lstat(path.c_str(), &config) == 0;
    // A folder or device given as configuration file can never be written: nothing to guard.
    if (parts.name.empty() || (configExists && !S_ISREG(config.st_mode))) {
        return standIn();
    }
    // O_PATH: a folder we may write and enter but not list still takes a lock file.
    const posix::UniqueFd folder = posix::OpenFile(parts.folder, O_PATH | O_DIRECTORY | O_CLOEXEC);
    struct stat folderInfo {};
    if (!folder.Valid() || ::fstat(folder.Get(), &folderInfo) != 0) {
        return standIn();
    }
    OpenedLockFile file = OpenLockFile(folder.Get(), LockFileName(parts.name),
                                       configExists ? &config : nullptr, folderInfo);
    if (file.outcome == Outcome::Untrusted) {
        return nullptr;
    }
    if (file.outcome == Outcome::NoLockFile) {
        return standIn();
    }
    // Taking a write lock needs a descriptor open for writing; the kernel drops it with the
    // descriptor, however the process ends.
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 0;
    if (::fcntl(file.fd.Get(), F_OFD_SETLK, &lock) == 0) {
        return std::make_unique<LockFile>(std::move(file.fd));
    }
    if (errno == EAGAIN || errno == EACCES) {
        return nullptr;
    }
    // A file system without locks.
    return standIn();
}

}  // namespace quellix::platform
