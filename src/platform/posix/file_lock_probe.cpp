#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>

#include "platform/directory.h"
#include "platform/posix/component_name.h"
#include "platform/posix/fd_io.h"
#include "platform/posix/local_file_system.h"

namespace quellix::platform {

namespace {

enum class Probe { InUse, Free, Unknown };

// The kernel grants a write lease only when no other open file description of the file exists,
// in this process or any other: the one question "is it open elsewhere" it answers for every
// process. The lease is dropped at once. While held, an open by someone else waits for the
// release, a matter of microseconds; the break notice that open raises (SIGIO) is ignored, so that
// it cannot end this process.
Probe ProbeWithLease(int fd) {
    static std::once_flag ignoreBreakNotices;
    std::call_once(ignoreBreakNotices, [] {
        struct sigaction current {};
        if (::sigaction(SIGIO, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) {
            ::signal(SIGIO, SIG_IGN);
        }
    });
    if (::fcntl(fd, F_SETLEASE, F_WRLCK) == 0) {
        return Probe::Free;  // given up when the descriptor is closed, a moment later
    }
    // EACCES: a file of another user without CAP_LEASE; EINVAL: leases switched off
    // (fs.leases-enable), not supported by the file system, or not a regular file.
    return errno == EAGAIN ? Probe::InUse : Probe::Unknown;
}

bool HasFlock(int fd) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        ::flock(fd, LOCK_UN);
        return false;
    }
    return errno == EWOULDBLOCK;
}

// Finds record locks of either kind, POSIX (per process) and open file description ones, of any
// process including this one, without taking a lock.
bool HasRecordLock(int fd) {
    struct flock query {};
    query.l_type = F_WRLCK;
    query.l_whence = SEEK_SET;
    query.l_start = 0;
    query.l_len = 0;
    query.l_pid = 0;
    return ::fcntl(fd, F_OFD_GETLK, &query) == 0 && query.l_type != F_UNLCK;
}

}  // namespace

bool Directory::OnLocalFileSystem() const {
    if (localFileSystem_ < 0) {
        localFileSystem_ = posix::IsLocalFileSystem(fd_) ? 1 : 0;
    }
    return localFileSystem_ == 1;
}

bool Directory::IsLocked(std::string_view name, EntryType seenAs) const {
    const posix::ComponentName entry(name);
    if (!entry.Valid()) {
        return false;
    }
    // Opening a FIFO, socket or device can block or act on hardware: only regular files are opened.
    if (seenAs == EntryType::Unknown) {
        struct stat before {};
        if (::fstatat(fd_, entry.CStr(), &before, AT_SYMLINK_NOFOLLOW) != 0) {
            return false;
        }
        seenAs = S_ISREG(before.st_mode) ? EntryType::File : EntryType::Other;
    }
    if (seenAs != EntryType::File) {
        return false;
    }
    // O_NONBLOCK: if the entry was swapped for a FIFO meanwhile, the open does not wait for a
    // writer; and where someone holds a write lease, the open fails with EWOULDBLOCK instead of
    // waiting for the holder to give it up.
    const posix::UniqueFd fd(posix::OpenAtKeepingAccessTime(
        fd_, entry.CStr(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.Valid()) {
        return errno == EWOULDBLOCK;
    }
    // A lease is granted on regular files only, so a granted one also proves that the entry was
    // not swapped for something else after the walk looked at it.
    const Probe lease = ProbeWithLease(fd.Get());
    if (lease == Probe::InUse) {
        return true;
    }
    // A granted lease means no other open file description exists, hence no lock either, except
    // on a network file system, where a lock may belong to another machine whose opens no lease
    // sees.
    if (lease == Probe::Free && OnLocalFileSystem()) {
        return false;
    }
    struct stat opened {};
    if (::fstat(fd.Get(), &opened) != 0 || !S_ISREG(opened.st_mode)) {
        return false;
    }
    return HasFlock(fd.Get()) || HasRecordLock(fd.Get());
}

}  // namespace quellix::platform
