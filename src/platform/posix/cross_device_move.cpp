#include "platform/posix/cross_device_move.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/posix/fd_io.h"
#include "platform/posix/rename_no_replace.h"

namespace quellix::platform::posix {

namespace {

constexpr int kNameAttempts = 100;
constexpr std::size_t kCopyChunk = 1 << 30;
constexpr std::size_t kBufferSize = 256 * 1024;

std::string Hex(std::uint64_t value) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    do {
        text.insert(text.begin(), kDigits[value & 0xf]);
        value >>= 4;
    } while (value != 0);
    return text;
}

// Hidden, and unlikely to be taken: creating it exclusively is what makes it safe.
std::string TemporaryName() {
    static std::atomic<std::uint64_t> counter{0};
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return ".quellix-move-" + Hex(static_cast<std::uint64_t>(::getpid())) + "-" + Hex(++counter) +
           "-" + Hex(static_cast<std::uint64_t>(now.tv_nsec));
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Whether the source still is, under its name, exactly what was copied: nobody wrote to it,
// renamed it away or put something else in its place while the copy was made.
bool Unchanged(int fromFd, const char* name, const struct stat& copied) {
    struct stat now {};
    return ::fstatat(fromFd, name, &now, AT_SYMLINK_NOFOLLOW) == 0 && SameFile(now, copied) &&
           now.st_size == copied.st_size && now.st_mtim.tv_sec == copied.st_mtim.tv_sec &&
           now.st_mtim.tv_nsec == copied.st_mtim.tv_nsec &&
           now.st_ctim.tv_sec == copied.st_ctim.tv_sec &&
           now.st_ctim.tv_nsec == copied.st_ctim.tv_nsec;
}

// copy_file_range lets the kernel (or the file systems) copy without a trip through this process;
// kernels or file system pairs that cannot answer with one of these errors before anything moved.
bool CopyRangeUnsupported(int error) {
    return error == EXDEV || error == EINVAL || error == ENOSYS || error == EOPNOTSUPP ||
           error == ENOTSUP || error == EBADF;
}

int CopyWithReadWrite(int in, int out) {
    const auto buffer = std::make_unique_for_overwrite<char[]>(kBufferSize);
    for (;;) {
        const ssize_t got = ::read(in, buffer.get(), kBufferSize);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (got == 0) {
            return 0;
        }
        if (!WriteAll(out, std::string_view(buffer.get(), static_cast<std::size_t>(got)))) {
            return errno;
        }
    }
}

int CopyData(int in, int out) {
    bool moved = false;
    for (;;) {
        const ssize_t copied = ::copy_file_range(in, nullptr, out, nullptr, kCopyChunk, 0);
        if (copied > 0) {
            moved = true;
            continue;
        }
        if (copied == 0) {
            return 0;
        }
        if (errno == EINTR) {
            continue;
        }
        if (!moved && CopyRangeUnsupported(errno)) {
            return CopyWithReadWrite(in, out);
        }
        return errno;
    }
}

// Owner first: changing it clears the set-user-ID and set-group-ID bits. Only a privileged
// process can give a file away; otherwise the copy stays ours, as with mv.
int CopyAttributes(int out, const struct stat& source) {
    if (::fchown(out, source.st_uid, source.st_gid) != 0 && errno != EPERM) {
        return errno;
    }
    if (::fchmod(out, source.st_mode & 07777) != 0) {
        return errno;
    }
    const timespec times[2] = {source.st_atim, source.st_mtim};
    if (::futimens(out, times) != 0) {
        return errno;
    }
    return 0;
}

// Creates the temporary name and lets write fill it; the temporary is gone again on failure.
template <typename Writer>
int CreateTemporary(int toFd, std::string* temporary, Writer write) {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        *temporary = TemporaryName();
        const int error = write(temporary->c_str());
        if (error == EEXIST) {
            continue;
        }
        if (error != 0) {
            ::unlinkat(toFd, temporary->c_str(), 0);
        }
        return error;
    }
    return EEXIST;
}

int CopyRegularFile(int fromFd, const char* name, const struct stat& listed, int toFd,
                    std::string* temporary, struct stat* copied, struct stat* copy) {
    const UniqueFd in(
        ::openat(fromFd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!in.Valid()) {
        return errno;
    }
    if (::fstat(in.Get(), copied) != 0) {
        return errno;
    }
    if (!S_ISREG(copied->st_mode) || !SameFile(*copied, listed)) {
        return EBUSY;
    }
    return CreateTemporary(toFd, temporary, [&](const char* tmp) {
        UniqueFd out(
            ::openat(toFd, tmp, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (!out.Valid()) {
            return errno;
        }
        int error = CopyData(in.Get(), out.Get());
        if (error == 0) {
            error = CopyAttributes(out.Get(), *copied);
        }
        if (error == 0 && ::fstat(out.Get(), copy) != 0) {
            error = errno;
        }
        if (error == 0 && copy->st_size != copied->st_size) {
            error = EBUSY;
        }
        if (error == 0 && !SyncFd(out.Get())) {
            error = errno;
        }
        if (!out.Close() && error == 0) {
            error = errno;
        }
        return error;
    });
}

std::string ReadLinkAt(int fd, const char* name, int* error) {
    std::string target(256, '\0');
    for (;;) {
        const ssize_t length = ::readlinkat(fd, name, target.data(), target.size());
        if (length < 0) {
            *error = errno;
            return {};
        }
        if (static_cast<std::size_t>(length) < target.size()) {
            target.resize(static_cast<std::size_t>(length));
            *error = 0;
            return target;
        }
        target.resize(target.size() * 2);
    }
}

int CopySymlink(int fromFd, const char* name, const struct stat& listed, int toFd,
                std::string* temporary, struct stat* copy) {
    int error = 0;
    const std::string target = ReadLinkAt(fromFd, name, &error);
    if (error != 0) {
        return error;
    }
    return CreateTemporary(toFd, temporary, [&](const char* tmp) {
        if (::symlinkat(target.c_str(), toFd, tmp) != 0) {
            return errno;
        }
        if (::fchownat(toFd, tmp, listed.st_uid, listed.st_gid, AT_SYMLINK_NOFOLLOW) != 0 &&
            errno != EPERM) {
            return errno;
        }
        const timespec times[2] = {listed.st_atim, listed.st_mtim};
        if (::utimensat(toFd, tmp, times, AT_SYMLINK_NOFOLLOW) != 0) {
            return errno;
        }
        return ::fstatat(toFd, tmp, copy, AT_SYMLINK_NOFOLLOW) == 0 ? 0 : errno;
    });
}

// Removes the copy again, unless something else has taken its name meanwhile.
void RemoveCopy(int toFd, const char* newName, const struct stat& copy) {
    struct stat now {};
    if (::fstatat(toFd, newName, &now, AT_SYMLINK_NOFOLLOW) == 0 && SameFile(now, copy)) {
        ::unlinkat(toFd, newName, 0);
    }
}

}  // namespace

int MoveAcrossFileSystems(int fromFd, const char* name, int toFd, const char* newName) {
    struct stat listed {};
    if (::fstatat(fromFd, name, &listed, AT_SYMLINK_NOFOLLOW) != 0) {
        return errno;
    }
    std::string temporary;
    struct stat copied = listed;
    struct stat copy {};
    int error = 0;
    if (S_ISREG(listed.st_mode)) {
        error = CopyRegularFile(fromFd, name, listed, toFd, &temporary, &copied, &copy);
    } else if (S_ISLNK(listed.st_mode)) {
        error = CopySymlink(fromFd, name, listed, toFd, &temporary, &copy);
    } else {
        return EXDEV;
    }
    if (error != 0) {
        return error;
    }

    error = RenameNoReplace(toFd, temporary.c_str(), toFd, newName);
    if (error != 0) {
        ::unlinkat(toFd, temporary.c_str(), 0);
        return error;
    }
    // The copy must be on disk under its new name before the only other copy goes. Some file
    // systems cannot sync a folder (EINVAL) and keep their names safe without it.
    if (!SyncFd(toFd) && errno != EINVAL) {
        error = errno;
    } else if (!Unchanged(fromFd, name, copied)) {
        // Written to, or replaced, while it was copied: the copy is not what would be removed.
        error = EBUSY;
    } else if (::unlinkat(fromFd, name, 0) != 0) {
        error = errno;
    }
    if (error != 0) {
        // Back to where the move started: one file, in its place. Keeping both would leave a
        // copy the caller believes was never made, and a move that fails again at every retry.
        RemoveCopy(toFd, newName, copy);
    }
    return error;
}

}  // namespace quellix::platform::posix
