#pragma once

#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace quellix::test {

// Notices any open of one file system entry, by any process, from now on.
class OpenWatch {
  public:
    explicit OpenWatch(const std::string& path) : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        valid_ = fd_ >= 0 && ::inotify_add_watch(fd_, path.c_str(), IN_OPEN | IN_DONT_FOLLOW) >= 0;
    }
    ~OpenWatch() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    OpenWatch(const OpenWatch&) = delete;
    OpenWatch& operator=(const OpenWatch&) = delete;

    bool Valid() const { return valid_; }

    // True when an open was seen since the watch started.
    bool SawOpen() const {
        alignas(inotify_event) char buffer[4096];
        for (;;) {
            const ssize_t got = ::read(fd_, buffer, sizeof buffer);
            if (got > 0) {
                return true;
            }
            if (got < 0 && errno == EINTR) {
                continue;
            }
            return false;
        }
    }

  private:
    int fd_;
    bool valid_ = false;
};

}  // namespace quellix::test
