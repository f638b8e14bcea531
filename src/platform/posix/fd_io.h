#pragma once

#include <sys/types.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quellix::platform::posix {

// Owns a file descriptor and closes it exactly once.
class UniqueFd {
  public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd();
    UniqueFd(UniqueFd&& other) noexcept : fd_(other.Release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept;
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    int Release();
    // Closes now; false when close reported an error (some file systems report late write
    // errors only here).
    bool Close();

  private:
    int fd_ = -1;
};

// openat(2), retried when a signal interrupts it, with O_NOATIME where LeaveAccessTimes asked
// for it and the system allows it.
int OpenAtKeepingAccessTime(int at, const char* name, int flags);
// As OpenAtKeepingAccessTime, resolving path in one call that fails (ELOOP) at the first symbolic
// link met on the way; -1 with errno ENOSYS where the kernel has no such call.
int OpenWithoutLinksKeepingAccessTime(const char* path, int flags);

// open(2), retried when a signal interrupts it.
UniqueFd OpenFile(const std::string& path, int flags, mode_t mode = 0);

// Writes all of data, going on after short writes and interruptions. false, with errno set, when
// a write fails: a full disk (ENOSPC) or the file size limit (EFBIG, once SIGXFSZ is ignored).
bool WriteAll(int fd, std::string_view data);

// Reads until end of file, but never more than limit + 1 bytes, so that a file grown past a
// limit since fstat shows as too large without more of it in memory; sizeHint (the size fstat
// reported) only saves reallocations.
std::optional<std::string> ReadAll(int fd, std::size_t sizeHint,
                                   std::size_t limit = std::string().max_size() - 1);

// fsync(2), retried when a signal interrupts it.
bool SyncFd(int fd);

}  // namespace quellix::platform::posix
