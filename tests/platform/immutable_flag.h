#pragma once

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <string>

namespace quellix::test {

// Makes a file immutable (chattr +i): it can be read but not renamed, unlinked or written, even by
// root. Cleared again when dropped, so the test's folder can be removed. Needs root and a file
// system with the flag (ext4, xfs, btrfs, tmpfs); Set() tells whether it worked.
class ImmutableFlag {
  public:
    explicit ImmutableFlag(const std::string& path) : path_(path) {}
    ~ImmutableFlag() {
        if (set_) {
            Change(false);
        }
    }
    ImmutableFlag(const ImmutableFlag&) = delete;
    ImmutableFlag& operator=(const ImmutableFlag&) = delete;

    bool Set() {
        set_ = Change(true);
        return set_;
    }

  private:
    bool Change(bool on) const {
        const int fd = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0) {
            return false;
        }
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (done) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return done;
    }

    std::string path_;
    bool set_ = false;
};

}  // namespace quellix::test
