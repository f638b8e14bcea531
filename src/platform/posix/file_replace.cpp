#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <random>
#include <string>

#include "platform/companion_files.h"
#include "platform/config_file.h"
#include "platform/file_system.h"
#include "platform/posix/current_umask.h"
#include "platform/posix/fd_io.h"
#include "platform/posix/file_location.h"
#include "platform/posix/file_trust.h"

namespace quellix::platform {

namespace {

constexpr int kNameAttempts = 100;

// How the new file gets its owner and permissions.
struct Attributes {
    // Exactly this mode, whatever the old file's.
    std::optional<mode_t> mode;
    // The mode of a file that did not exist before, when no mode is given; without it, that of
    // an ordinary create (0666 less the umask).
    std::optional<mode_t> newFileMode;
    // Only a file this process may go by is replaced (MayGoBy).
    bool onlyTrusted = false;
};

// Gives the new file the old one's owner and permissions. Changing the owner only works for a
// privileged process; an unprivileged one ends up owning the file, as with any editor that saves
// by renaming. The owner goes first because chown clears set-user-ID bits.
bool TakeOverAttributes(int fd, const struct stat& old) {
    struct stat fresh {};
    if (::fstat(fd, &fresh) == 0 && (fresh.st_uid != old.st_uid || fresh.st_gid != old.st_gid) &&
        ::fchown(fd, old.st_uid, old.st_gid) != 0) {
        // Not permitted: the file stays ours.
    }
    return ::fchmod(fd, old.st_mode & 07777) == 0;
}

bool SetAttributes(int fd, const Attributes& wanted, const struct stat* old) {
    if (wanted.mode) {
        return ::fchmod(fd, *wanted.mode & 07777) == 0;
    }
    if (old != nullptr) {
        return TakeOverAttributes(fd, *old);
    }
    return ::fchmod(fd, wanted.newFileMode ? *wanted.newFileMode : 0666 & ~posix::CurrentUmask()) ==
           0;
}

// mkstemp's naming in the folder of the descriptor: the X of the template become random letters
// and digits, and the name is created exclusively, never through a link. *name gets the name.
posix::UniqueFd CreateTemporary(int folder, const std::string& nameTemplate, std::string* name) {
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937_64 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    const std::size_t first = nameTemplate.rfind("XXXXXX");
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        *name = nameTemplate;
        for (std::size_t i = first; i < name->size(); ++i) {
            (*name)[i] = kLetters[pick(random)];
        }
        posix::UniqueFd fd(::openat(folder, name->c_str(),
                                    O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (fd.Valid() || errno != EEXIST) {
            return fd;
        }
    }
    return {};
}

// Makes the rename itself durable.
void SyncFolder(int folder) {
    posix::UniqueFd fd(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Valid()) {
        posix::SyncFd(fd.Get());
    }
}

bool Replace(const std::string& path, const std::string& contents, const Attributes& wanted) {
    const std::optional<posix::FileLocation> file = posix::LocateFile(path);
    if (!file) {
        return false;
    }
    const int folder = file->folder.Get();
    struct stat old {};
    const bool exists = ::fstatat(folder, file->name.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0;
    if (!exists && errno != ENOENT) {
        return false;
    }
    // Renaming a regular file over a FIFO or device would silently change what the path is.
    if (exists && (!S_ISREG(old.st_mode) || (wanted.onlyTrusted && !posix::MayGoBy(old)))) {
        return false;
    }

    // Same folder as the target, so the rename cannot cross file systems; named after the target,
    // so that a crash's leftover can be told from the temporaries of other files' writers.
    std::string temporary;
    posix::UniqueFd fd = CreateTemporary(folder, TemporaryNameTemplate(file->name), &temporary);
    if (!fd.Valid()) {
        return false;
    }
    bool ok = posix::WriteAll(fd.Get(), contents) && posix::SyncFd(fd.Get()) &&
              SetAttributes(fd.Get(), wanted, exists ? &old : nullptr);
    ok = fd.Close() && ok;
    ok = ok && ::renameat(folder, temporary.c_str(), folder, file->name.c_str()) == 0;
    if (!ok) {
        ::unlinkat(folder, temporary.c_str(), 0);
        return false;
    }
    // The new content is in place from here on; a failed folder sync cannot undo that, so it does
    // not turn the result into a failure.
    SyncFolder(folder);
    return true;
}

}  // namespace

bool ReplaceFileContents(const std::string& path, const std::string& contents,
                         std::optional<unsigned> mode) {
    Attributes wanted;
    if (mode) {
        wanted.mode = static_cast<mode_t>(*mode);
    }
    return Replace(path, contents, wanted);
}

bool ReplaceConfigFile(const std::string& path, const std::string& contents) {
    Attributes wanted;
    if (::geteuid() == 0) {
        wanted.newFileMode = 0600;
    }
    wanted.onlyTrusted = true;
    return Replace(path, contents, wanted);
}

}  // namespace quellix::platform
