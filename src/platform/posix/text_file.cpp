#include "platform/text_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/fd_io.h"
#include "platform/posix/folder_reader.h"

namespace quellix::platform {

namespace {

class PosixAppendFile final : public AppendFile {
  public:
    explicit PosixAppendFile(posix::UniqueFd fd) : fd_(std::move(fd)) {}

    bool Write(std::string_view text) override { return posix::WriteAll(fd_.Get(), text); }

  private:
    posix::UniqueFd fd_;
};

}  // namespace

std::unique_ptr<AppendFile> OpenAppendFile(const std::string& path, AppendFile::Mode mode,
                                           int* error) {
    // A link put in the log folder must not redirect the writes of a program that may run as
    // root; O_EXCL also refuses a link pointing nowhere.
    int flags = O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW;
    if (mode == AppendFile::Mode::CreateNew) {
        flags |= O_EXCL;
    }
    posix::UniqueFd fd = posix::OpenFile(path, flags, 0644);
    if (!fd.Valid()) {
        *error = errno;
        return nullptr;
    }
    // O_NONBLOCK kept the open of a FIFO without reader from waiting forever; what is written to
    // must be a regular file, where the flag changes nothing.
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0) {
        *error = errno;
        return nullptr;
    }
    if (!S_ISREG(info.st_mode)) {
        *error = EINVAL;
        return nullptr;
    }
    *error = 0;
    return std::make_unique<PosixAppendFile>(std::move(fd));
}

std::vector<std::string> ListFileNames(const std::string& folder) {
    std::vector<std::string> names;
    const posix::UniqueFd fd = posix::OpenFile(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (!fd.Valid()) {
        return names;
    }
    posix::FolderReader reader(fd.Get());
    std::string_view name;
    unsigned char type = DT_UNKNOWN;
    while (reader.Next(&name, &type)) {
        if (type == DT_UNKNOWN) {
            // Some file systems do not give types in listings.
            const std::string entry(name);
            struct stat info {};
            if (::fstatat(fd.Get(), entry.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
                S_ISREG(info.st_mode)) {
                names.push_back(entry);
            }
        } else if (type == DT_REG) {
            names.emplace_back(name);
        }
    }
    if (reader.Error() != 0) {
        names.clear();
    }
    return names;
}

int RemoveFileAt(const std::string& path) {
    return ::unlink(path.c_str()) == 0 ? 0 : errno;
}

}  // namespace quellix::platform
