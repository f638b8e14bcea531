#include "platform/posix/cross_device_move.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <string>

#include "platform/posix/file_data_copy.h"
#include "platform/posix/move_temporary.h"
#include "platform/posix/paths.h"
#include "platform/posix/rename_no_replace.h"

namespace quellix::platform::posix {

namespace {

constexpr int kNameAttempts = 100;

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

void Remember(const struct stat& info, WaitingCopy* copy) {
    copy->device = info.st_dev;
    copy->inode = info.st_ino;
}

// Unlinks toFd/name only while it is still the copy.
void RemoveIfCopy(int toFd, const char* name, const WaitingCopy& copy) {
    struct stat now {};
    if (::fstatat(toFd, name, &now, AT_SYMLINK_NOFOLLOW) == 0 && now.st_dev == copy.device &&
        now.st_ino == copy.inode) {
        ::unlinkat(toFd, name, 0);
    }
}

// What a kernel or file system without unnamed files answers to O_TMPFILE.
bool UnnamedFilesUnsupported(int error) {
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

// A hidden name that is ours alone, created exclusively by create; the folder is held first, so
// the clean-up cannot take the name while this process lives.
template <typename Create>
int CreateTemporary(CopyFolder& to, std::string* temporary, Create create) {
    if (!to.heldForTemporaries) {
        if (const int error = HoldFolderForTemporaries(to.fd); error != 0) {
            return error;
        }
        to.heldForTemporaries = true;
    }
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        *temporary = MoveTemporaryName();
        const int error = create(temporary->c_str());
        if (error != EEXIST) {
            return error;
        }
    }
    return EEXIST;
}

int OpenCopyFile(CopyFolder& to, WaitingCopy* copy) {
    if (to.unnamedFiles) {
        copy->file = UniqueFd(::openat(to.fd, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
        if (copy->file.Valid() || !UnnamedFilesUnsupported(errno)) {
            return copy->file.Valid() ? 0 : errno;
        }
        to.unnamedFiles = false;
    }
    return CreateTemporary(to, &copy->temporary, [&](const char* name) {
        copy->file = UniqueFd(
            ::openat(to.fd, name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        return copy->file.Valid() ? 0 : errno;
    });
}

int FillCopyFile(int in, CopyFolder& to, WaitingCopy* copy) {
    const int out = copy->file.Get();
    // Up to the size it had when opened: a source that grows meanwhile has its mtime changed,
    // which the commit sees.
    const auto size = static_cast<std::uint64_t>(copy->source.st_size);
    if (const int error = CopyFileData(in, out, size, &to.kernelCopy); error != 0) {
        return error;
    }
    if (const int error = CopyFileAttributes(out, copy->source); error != 0) {
        return error;
    }
    struct stat written {};
    if (::fstat(out, &written) != 0) {
        return errno;
    }
    Remember(written, copy);
    // Shrunk while copied: the copy is not what the source is.
    if (written.st_size != copy->source.st_size) {
        return EBUSY;
    }
    // A named copy is closed now, which is when some file systems (NFS) report late write errors.
    if (!copy->temporary.empty() && !copy->file.Close()) {
        return errno;
    }
    return 0;
}

int CopyRegularFile(int fromFd, const char* name, const struct stat& listed, CopyFolder& to,
                    WaitingCopy* copy) {
    const UniqueFd in(
        ::openat(fromFd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!in.Valid()) {
        return errno;
    }
    if (::fstat(in.Get(), &copy->source) != 0) {
        return errno;
    }
    if (!S_ISREG(copy->source.st_mode) || !SameFile(copy->source, listed)) {
        return EBUSY;
    }
    if (const int error = OpenCopyFile(to, copy); error != 0) {
        return error;
    }
    const int error = FillCopyFile(in.Get(), to, copy);
    if (error != 0 && !copy->temporary.empty()) {
        ::unlinkat(to.fd, copy->temporary.c_str(), 0);
    }
    return error;
}

int SetLinkAttributes(int toFd, const char* name, const struct stat& source) {
    if (::fchownat(toFd, name, source.st_uid, source.st_gid, AT_SYMLINK_NOFOLLOW) != 0 &&
        errno != EPERM) {
        return errno;
    }
    const timespec times[2] = {source.st_atim, source.st_mtim};
    return ::utimensat(toFd, name, times, AT_SYMLINK_NOFOLLOW) == 0 ? 0 : errno;
}

// A link has no unnamed form: it always waits under a hidden name.
int CopySymlink(int fromFd, const char* name, const struct stat& listed, CopyFolder& to,
                WaitingCopy* copy) {
    const std::optional<std::string> target = ReadLinkAt(fromFd, name);
    if (!target) {
        return errno;
    }
    copy->source = listed;
    int error = CreateTemporary(to, &copy->temporary, [&](const char* tmp) {
        return ::symlinkat(target->c_str(), to.fd, tmp) == 0 ? 0 : errno;
    });
    if (error != 0) {
        return error;
    }
    struct stat made {};
    error = SetLinkAttributes(to.fd, copy->temporary.c_str(), listed);
    if (error == 0 && ::fstatat(to.fd, copy->temporary.c_str(), &made, AT_SYMLINK_NOFOLLOW) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlinkat(to.fd, copy->temporary.c_str(), 0);
        return error;
    }
    Remember(made, copy);
    return 0;
}

// Naming the open file by its descriptor (AT_EMPTY_PATH) needs a privilege on kernels before
// 6.10; through /proc it needs none, but costs a path walk.
int LinkUnnamed(int fd, CopyFolder& to, const char* newName) {
    if (to.linkByDescriptor) {
        if (::linkat(fd, "", to.fd, newName, AT_EMPTY_PATH) == 0) {
            return 0;
        }
        if (errno != ENOENT && errno != EPERM) {
            return errno;
        }
        to.linkByDescriptor = false;
    }
    const std::string viaProc = "/proc/self/fd/" + std::to_string(fd);
    return ::linkat(AT_FDCWD, viaProc.c_str(), to.fd, newName, AT_SYMLINK_FOLLOW) == 0 ? 0 : errno;
}

}  // namespace

int MakeCopy(int fromFd, const char* name, const struct stat& listed, CopyFolder& to,
             WaitingCopy* copy) {
    if (S_ISREG(listed.st_mode)) {
        return CopyRegularFile(fromFd, name, listed, to, copy);
    }
    if (S_ISLNK(listed.st_mode)) {
        return CopySymlink(fromFd, name, listed, to, copy);
    }
    return EXDEV;
}

int PlaceCopy(WaitingCopy& copy, CopyFolder& to, const char* newName) {
    const int error = copy.temporary.empty()
                          ? LinkUnnamed(copy.file.Get(), to, newName)
                          : RenameNoReplace(to.fd, copy.temporary.c_str(), to.fd, newName);
    copy.placed = error == 0;
    return error;
}

void DiscardCopy(WaitingCopy& copy, int toFd, const char* newName) {
    if (copy.placed) {
        RemoveIfCopy(toFd, newName, copy);
    } else if (!copy.temporary.empty()) {
        RemoveIfCopy(toFd, copy.temporary.c_str(), copy);
    }
    // An unnamed copy goes with its last descriptor.
    copy.file = UniqueFd();
    copy.placed = false;
}

bool SourceUnchanged(int fromFd, const char* name, const struct stat& copied) {
    struct stat now {};
    return ::fstatat(fromFd, name, &now, AT_SYMLINK_NOFOLLOW) == 0 && SameFile(now, copied) &&
           now.st_size == copied.st_size && now.st_mtim.tv_sec == copied.st_mtim.tv_sec &&
           now.st_mtim.tv_nsec == copied.st_mtim.tv_nsec &&
           now.st_ctim.tv_sec == copied.st_ctim.tv_sec &&
           now.st_ctim.tv_nsec == copied.st_ctim.tv_nsec;
}

}  // namespace quellix::platform::posix
