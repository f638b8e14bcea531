#include "platform/posix/fd_io.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace quellix::platform::posix {

UniqueFd::~UniqueFd() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        fd_ = other.Release();
    }
    return *this;
}

int UniqueFd::Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

bool UniqueFd::Close() {
    if (fd_ < 0) {
        return false;
    }
    // Never retried: on Linux the descriptor is gone even when close fails.
    return ::close(Release()) == 0;
}

UniqueFd OpenFile(const std::string& path, int flags, mode_t mode) {
    int fd;
    do {
        fd = ::open(path.c_str(), flags, mode);
    } while (fd < 0 && errno == EINTR);
    return UniqueFd(fd);
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t written = ::write(fd, data.data(), data.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            // EFBIG past the file size limit and ENOSPC on a full disk end here alike.
            return false;
        }
        if (written == 0) {
            // Nothing taken and no error given: trying again would never end.
            errno = EIO;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

std::optional<std::string> ReadAll(int fd, std::size_t sizeHint, std::size_t limit) {
    // One byte over the hint, so a file of the expected size ends without a reallocation.
    std::string data(std::min(limit, std::max<std::size_t>(sizeHint, 4095)) + 1, '\0');
    std::size_t used = 0;
    while (used <= limit) {
        if (used == data.size()) {
            data.resize(std::min(limit + 1, data.size() * 2));
        }
        const ssize_t got = ::read(fd, data.data() + used, data.size() - used);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return std::nullopt;
        }
        if (got == 0) {
            break;
        }
        used += static_cast<std::size_t>(got);
    }
    data.resize(used);
    return data;
}

bool SyncFd(int fd) {
    int result;
    do {
        result = ::fsync(fd);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

}  // namespace quellix::platform::posix
