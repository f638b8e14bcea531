#include "platform/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/directory.h"
#include "platform/posix/fd_io.h"
#include "platform/posix/file_stamp.h"

namespace quellix::platform {

std::optional<std::string> ReadWholeFile(const std::string& path) {
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer. Only regular files
    // are read, so the flag changes nothing for what is actually read.
    posix::UniqueFd fd = posix::OpenFile(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (!fd.Valid()) {
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    // Files under /proc report size 0; the size is only a hint.
    return posix::ReadAll(fd.Get(), static_cast<std::size_t>(info.st_size));
}

std::optional<FileStamp> GetFileStamp(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return posix::StampOf(info);
}

bool IsExistingDirectory(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool PathExists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

bool IsWritableFolder(const std::string& path) {
    return IsExistingDirectory(path) && ::access(path.c_str(), W_OK | X_OK) == 0;
}

bool MakeFolders(std::string path, unsigned mode) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    if (IsExistingDirectory(path)) {
        return true;
    }
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return false;
    }
    const std::string parent = slash == 0 ? "/" : path.substr(0, slash);
    if (!MakeFolders(parent, mode)) {
        return false;
    }
    const std::optional<Directory> folder = Directory::Open(parent);
    if (!folder) {
        return false;
    }
    const int error = folder->MakeDirectory(path.substr(slash + 1), mode);
    return error == 0 || (error == EEXIST && IsExistingDirectory(path));
}

}  // namespace quellix::platform
