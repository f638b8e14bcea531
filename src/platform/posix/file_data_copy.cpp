#include "platform/posix/file_data_copy.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <memory>
#include <string_view>

#include "platform/posix/fd_io.h"

namespace quellix::platform::posix {

namespace {

constexpr std::size_t kCopyChunk = 1 << 30;
constexpr std::size_t kBufferSize = 256 * 1024;

// Kernels or file system pairs that cannot copy_file_range answer with one of these before
// anything moved.
bool CopyRangeUnsupported(int error) {
    return error == EXDEV || error == EINVAL || error == ENOSYS || error == EOPNOTSUPP ||
           error == ENOTSUP || error == EBADF;
}

int CopyWithReadWrite(int in, int out, std::uint64_t size) {
    // Kept for the next copy: allocating it anew for each small file costs more than copying it.
    static thread_local const auto buffer = std::make_unique_for_overwrite<char[]>(kBufferSize);
    while (size > 0) {
        const ssize_t got = ::read(in, buffer.get(), std::min<std::uint64_t>(size, kBufferSize));
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
        size -= static_cast<std::uint64_t>(got);
    }
    return 0;
}

}  // namespace

int CopyFileData(int in, int out, std::uint64_t size, bool* kernelCopy) {
    bool moved = false;
    while (*kernelCopy && size > 0) {
        const ssize_t copied = ::copy_file_range(in, nullptr, out, nullptr,
                                                 std::min<std::uint64_t>(size, kCopyChunk), 0);
        if (copied > 0) {
            moved = true;
            size -= static_cast<std::uint64_t>(copied);
            continue;
        }
        if (copied == 0) {
            return 0;
        }
        if (errno == EINTR) {
            continue;
        }
        if (moved || !CopyRangeUnsupported(errno)) {
            return errno;
        }
        *kernelCopy = false;
    }
    return CopyWithReadWrite(in, out, size);
}

// Owner first: changing it clears the set-user-ID and set-group-ID bits.
int CopyFileAttributes(int out, const struct stat& source) {
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

}  // namespace quellix::platform::posix
