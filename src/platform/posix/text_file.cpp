#include "platform/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/component_name.h"
#include "platform/posix/entry_stat.h"
#include "platform/posix/fd_io.h"

namespace quellix::platform {

namespace {

class PosixAppendFile final : public AppendFile {
  public:
    explicit PosixAppendFile(posix::UniqueFd fd) : fd_(std::move(fd)) {}

    bool Write(std::string_view text) override { return posix::WriteAll(fd_.Get(), text); }
    std::optional<EntryInfo> Info() const override {
        return posix::StatEntry(fd_.Get(), "", AT_EMPTY_PATH);
    }

  private:
    posix::UniqueFd fd_;
};

// A link put in the folder must not redirect the writes of a program that may run as root;
// O_NONBLOCK keeps the open of a FIFO without reader from waiting forever.
constexpr int kAppendFlags = O_WRONLY | O_APPEND | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW;

posix::UniqueFd OpenAt(int folder, const char* name, int flags, mode_t mode) {
    int fd;
    do {
        fd = ::openat(folder, name, flags, mode);
    } while (fd < 0 && errno == EINTR);
    return posix::UniqueFd(fd);
}

// O_EXCL also refuses a link pointing nowhere.
posix::UniqueFd CreateExclusive(int folder, const char* name, unsigned newFileMode) {
    const auto mode = static_cast<mode_t>(newFileMode & 07777);
    posix::UniqueFd fd = OpenAt(folder, name, kAppendFlags | O_CREAT | O_EXCL, mode);
    // The umask only narrows what open gives; the file is ours and new, so it gets the mode
    // asked for. Should that fail, the narrower mode it has is no less private.
    if (fd.Valid()) {
        [[maybe_unused]] const int changed = ::fchmod(fd.Get(), mode);
    }
    return fd;
}

}  // namespace

std::unique_ptr<AppendFile> OpenAppendFile(const Directory& folder, std::string_view name,
                                           AppendFile::Mode mode, unsigned newFileMode,
                                           int* error) {
    const posix::ComponentName entry(name);
    if (!entry.Valid()) {
        *error = entry.Error();
        return nullptr;
    }
    const int at = folder.Descriptor();
    posix::UniqueFd fd;
    if (mode == AppendFile::Mode::CreateNew) {
        fd = CreateExclusive(at, entry.CStr(), newFileMode);
    } else {
        fd = OpenAt(at, entry.CStr(), kAppendFlags, 0);
        // Created only when missing, so that a file that exists never has its mode changed.
        if (!fd.Valid() && errno == ENOENT) {
            fd = CreateExclusive(at, entry.CStr(), newFileMode);
            if (!fd.Valid() && errno == EEXIST) {
                fd = OpenAt(at, entry.CStr(), kAppendFlags, 0);
            }
        }
    }
    if (!fd.Valid()) {
        *error = errno;
        return nullptr;
    }
    // What is written to must be a regular file, where O_NONBLOCK changes nothing.
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

int RemoveFileAt(const std::string& path) {
    return ::unlink(path.c_str()) == 0 ? 0 : errno;
}

}  // namespace quellix::platform
