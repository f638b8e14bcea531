#include "platform/config_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/posix/fd_io.h"
#include "platform/posix/file_location.h"
#include "platform/posix/file_stamp.h"
#include "platform/posix/file_trust.h"

namespace quellix::platform {

namespace posix {

bool MayGoBy(const struct stat& file) {
    return ::geteuid() != 0 || (file.st_uid == 0 && (file.st_mode & (S_IWGRP | S_IWOTH)) == 0);
}

}  // namespace posix

namespace {

ConfigFileRead WithState(ConfigFileState state, int error = 0) {
    ConfigFileRead read;
    read.state = state;
    read.error = error;
    return read;
}

// What a failed walk to the file means.
ConfigFileRead NotLocated(int error) {
    switch (error) {
        case EPERM:
            return WithState(ConfigFileState::UnsafeLink);
        case ENOENT:
        case ENOTDIR:
            return WithState(ConfigFileState::MissingFolder);
        case EISDIR:
            return WithState(ConfigFileState::Folder);
        default:
            return WithState(ConfigFileState::Unreachable, error);
    }
}

ConfigFileRead Judge(const struct stat& info) {
    if (S_ISDIR(info.st_mode)) {
        return WithState(ConfigFileState::Folder);
    }
    if (!S_ISREG(info.st_mode)) {
        return WithState(ConfigFileState::NotRegular);
    }
    if (!posix::MayGoBy(info)) {
        return WithState(ConfigFileState::Untrusted);
    }
    ConfigFileRead read = WithState(ConfigFileState::Regular);
    read.stamp = posix::StampOf(info);
    return read;
}

// The entry at the file's name, not followed: whatever a link there led to was judged on the way.
ConfigFileRead Look(const posix::FileLocation& file, struct stat* info) {
    if (::fstatat(file.folder.Get(), file.name.c_str(), info, AT_SYMLINK_NOFOLLOW) != 0) {
        return errno == ENOENT ? WithState(ConfigFileState::Missing)
                               : WithState(ConfigFileState::Unreachable, errno);
    }
    return Judge(*info);
}

}  // namespace

ConfigFileRead InspectConfigFile(const std::string& path) {
    const std::optional<posix::FileLocation> file = posix::LocateFile(path);
    if (!file) {
        return NotLocated(errno);
    }
    struct stat info {};
    return Look(*file, &info);
}

ConfigFileRead ReadConfigFile(const std::string& path, std::size_t maxBytes) {
    const std::optional<posix::FileLocation> file = posix::LocateFile(path);
    if (!file) {
        return NotLocated(errno);
    }
    // Judged before it is opened: opening a device can already act on it.
    struct stat seen {};
    if (ConfigFileRead looked = Look(*file, &seen); looked.state != ConfigFileState::Regular) {
        return looked;
    }
    const posix::UniqueFd fd(::openat(file->folder.Get(), file->name.c_str(),
                                      O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat info {};
    if (!fd.Valid() || ::fstat(fd.Get(), &info) != 0) {
        return errno == ENOENT ? WithState(ConfigFileState::Missing)
                               : WithState(ConfigFileState::Unreachable, errno);
    }
    // What was opened may have been swapped in after the look: it is judged again.
    ConfigFileRead read = Judge(info);
    if (read.state != ConfigFileState::Regular) {
        return read;
    }
    if (static_cast<std::uint64_t>(info.st_size) > maxBytes) {
        return WithState(ConfigFileState::TooLarge);
    }
    std::optional<std::string> text =
        posix::ReadAll(fd.Get(), static_cast<std::size_t>(info.st_size), maxBytes);
    if (!text) {
        return WithState(ConfigFileState::Unreachable, errno);
    }
    if (text->size() > maxBytes) {
        return WithState(ConfigFileState::TooLarge);
    }
    read.text = std::move(*text);
    return read;
}

}  // namespace quellix::platform
