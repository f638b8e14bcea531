#include "platform/leftover_temporaries.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "platform/companion_files.h"
#include "platform/posix/fd_io.h"
#include "platform/posix/file_location.h"
#include "platform/posix/folder_reader.h"

namespace quellix::platform {

namespace {

// A temporary of the shared form may belong to a writer of another file of the folder, run by an
// earlier version. Such a writer creates, writes and renames its temporary within moments; one
// left untouched for a day and open nowhere has no writer any more.
constexpr std::int64_t kSharedTemporaryAge = 24 * 3600;

bool IsRegularEntry(int folder, const char* name, struct stat* info) {
    return ::fstatat(folder, name, info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info->st_mode);
}

// The kernel grants a write lease only when no other open file description of the file exists in
// any process. The break notice that an open by someone else would raise while the lease is held
// goes out as SIGURG, ignored unless handled, instead of SIGIO, which would end this process.
bool OpenNowhereElse(int fd) {
    return ::fcntl(fd, F_SETSIG, SIGURG) == 0 && ::fcntl(fd, F_SETLEASE, F_WRLCK) == 0;
}

bool RemoveSharedTemporary(int folder, const char* name, std::int64_t now) {
    struct stat seen {};
    if (!IsRegularEntry(folder, name, &seen) || seen.st_mtim.tv_sec > now - kSharedTemporaryAge) {
        return false;
    }
    // O_NONBLOCK: an entry swapped for a FIFO meanwhile does not make the open wait.
    const posix::UniqueFd fd(
        ::openat(folder, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat opened {};
    if (!fd.Valid() || ::fstat(fd.Get(), &opened) != 0 || opened.st_ino != seen.st_ino ||
        opened.st_dev != seen.st_dev || opened.st_mtim.tv_sec > now - kSharedTemporaryAge) {
        return false;
    }
    // Removed while the lease is held, so that nobody opens it in between.
    return OpenNowhereElse(fd.Get()) && ::unlinkat(folder, name, 0) == 0;
}

}  // namespace

int RemoveLeftoverTemporaries(const std::string& path, std::int64_t now) {
    const std::optional<posix::FileLocation> file = posix::LocateFile(path);
    if (!file) {
        return 0;
    }
    const posix::UniqueFd folder(
        ::openat(file->folder.Get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.Valid()) {
        return 0;
    }
    // Listed first, removed after: removing entries while the listing goes on may make it skip
    // others.
    std::vector<std::string> own;
    std::vector<std::string> shared;
    posix::FolderReader reader(folder.Get());
    std::string_view name;
    unsigned char type = DT_UNKNOWN;
    while (reader.Next(&name, &type)) {
        if (IsTemporaryName(name, file->name)) {
            own.emplace_back(name);
        } else if (IsSharedTemporaryName(name)) {
            shared.emplace_back(name);
        }
    }
    int removed = 0;
    for (const std::string& entry : own) {
        struct stat info {};
        // unlinkat never follows a link, even one swapped in after the check.
        if (IsRegularEntry(folder.Get(), entry.c_str(), &info) &&
            ::unlinkat(folder.Get(), entry.c_str(), 0) == 0) {
            ++removed;
        }
    }
    for (const std::string& entry : shared) {
        if (RemoveSharedTemporary(folder.Get(), entry.c_str(), now)) {
            ++removed;
        }
    }
    return removed;
}

}  // namespace quellix::platform
