#include "platform/posix/rename_no_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace quellix::platform::posix {

namespace {

#ifndef RENAME_NOREPLACE
#define RENAME_NOREPLACE (1 << 0)
#endif

int RenameAt2(int fromFd, const char* from, int toFd, const char* to, unsigned flags) {
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 28))
    return ::renameat2(fromFd, from, toFd, to, flags);
#else
    return static_cast<int>(::syscall(SYS_renameat2, fromFd, from, toFd, to, flags));
#endif
}

int LinkThenUnlink(int fromFd, const char* from, int toFd, const char* to) {
    struct stat info {};
    if (::fstatat(fromFd, from, &info, AT_SYMLINK_NOFOLLOW) != 0) {
        return errno;
    }
    if (S_ISDIR(info.st_mode)) {
        return EINVAL;
    }
    if (::linkat(fromFd, from, toFd, to, 0) != 0) {
        return errno;
    }
    if (::unlinkat(fromFd, from, 0) != 0) {
        const int error = errno;
        ::unlinkat(toFd, to, 0);
        return error;
    }
    return 0;
}

}  // namespace

int RenameNoReplace(int fromFd, const char* from, int toFd, const char* to) {
    if (RenameAt2(fromFd, from, toFd, to, RENAME_NOREPLACE) == 0) {
        return 0;
    }
    const int error = errno;
    // EINVAL also answers a folder moved into itself; LinkThenUnlink refuses folders anyway.
    if (error == EINVAL || error == ENOSYS) {
        return LinkThenUnlink(fromFd, from, toFd, to);
    }
    return error;
}

}  // namespace quellix::platform::posix
