#include "platform/access_times.h"

#include <fcntl.h>

#include <atomic>
#include <cerrno>

#include "platform/posix/fd_io.h"

namespace quellix::platform {

namespace {

std::atomic<bool> leaveAccessTimes{false};

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

}  // namespace posix

}  // namespace quellix::platform
