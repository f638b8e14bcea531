#include "platform/access_times.h"

#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>

#include "platform/posix/fd_io.h"

namespace quellix::platform {

namespace {

std::atomic<bool> leaveAccessTimes{false};

int OpenWithoutLinks(const char* path, int flags) {
    struct open_how how {};
    how.flags = static_cast<std::uint64_t>(flags);
    how.resolve = RESOLVE_NO_SYMLINKS;
    long fd;
    do {
        fd = ::syscall(SYS_openat2, AT_FDCWD, path, &how, sizeof how);
    } while (fd < 0 && errno == EINTR);
    return static_cast<int>(fd);
}

}  // namespace

void LeaveAccessTimes() {
    leaveAccessTimes = true;
}

namespace posix {

int OpenAtKeepingAccessTime(int at, const char* name, int flags) {
    int fd;
    if (leaveAccessTimes) {
        do {
            fd = ::openat(at, name, flags | O_NOATIME);
        } while (fd < 0 && errno == EINTR);
        // Only the owner (or root) may ask: anyone else opens as usual.
        if (fd >= 0 || errno != EPERM) {
            return fd;
        }
    }
    do {
        fd = ::openat(at, name, flags);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

int OpenWithoutLinksKeepingAccessTime(const char* path, int flags) {
    // A descriptor of O_PATH reads nothing, and openat2 refuses it any other flag.
    if (leaveAccessTimes && (flags & O_PATH) == 0) {
        const int fd = OpenWithoutLinks(path, flags | O_NOATIME);
        if (fd >= 0 || errno != EPERM) {
            return fd;
        }
    }
    return OpenWithoutLinks(path, flags);
}

}  // namespace posix

}  // namespace quellix::platform
