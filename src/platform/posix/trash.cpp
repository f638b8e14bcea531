#include "platform/trash.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/directory.h"
#include "platform/posix/component_name.h"
#include "platform/posix/fd_io.h"
#include "platform/posix/paths.h"
#include "platform/posix/rename_no_replace.h"
#include "platform/posix/trash_info.h"
#include "platform/posix/trash_location.h"

namespace quellix::platform {

namespace {

constexpr std::string_view kInfoSuffix = ".trashinfo";
constexpr int kMaxAttempts = 10000;

// Within a $topdir trash the path is kept relative to $topdir, so the entry can still be restored
// when the volume is mounted elsewhere; a path reaching the volume another way (through a link)
// can only be kept whole.
std::string PathToRecord(const std::string& absolutePath, const std::string& topdir) {
    if (topdir.empty()) {
        return absolutePath;
    }
    const std::string prefix = topdir == "/" ? topdir : topdir + "/";
    if (absolutePath.size() > prefix.size() &&
        absolutePath.compare(0, prefix.size(), prefix) == 0) {
        return absolutePath.substr(prefix.size());
    }
    return absolutePath;
}

std::size_t MaxTrashNameLength(int infoFd) {
    const long limit = ::fpathconf(infoFd, _PC_NAME_MAX);
    const std::size_t nameMax = limit > 0 ? static_cast<std::size_t>(limit) : NAME_MAX;
    return nameMax > kInfoSuffix.size() + 1 ? nameMax - kInfoSuffix.size() : 1;
}

// 0 when folderFd has no entry name, EEXIST when it has, else the error that keeps us from
// knowing.
int FreeName(int folderFd, const char* name) {
    struct stat info {};
    if (::fstatat(folderFd, name, &info, AT_SYMLINK_NOFOLLOW) == 0) {
        return EEXIST;
    }
    return errno == ENOENT ? 0 : errno;
}

// Writes the info file under a name nobody has, which claims the name in files/ too.
// 0, EEXIST when the name is taken, or another error number.
int ClaimName(const posix::TrashFolders& trash, const std::string& trashName,
              const std::string& infoText) {
    const posix::ComponentName infoName(trashName + std::string(kInfoSuffix));
    if (!infoName.Valid()) {
        return infoName.Error();
    }
    posix::UniqueFd info(::openat(trash.info.Get(), infoName.CStr(),
                                  O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!info.Valid()) {
        return errno;
    }
    // An entry without info file (left by a crash, or by a tool that failed half way) keeps its
    // name: moving onto it is refused later anyway, this just goes on to the next name now.
    int error = FreeName(trash.files.Get(), trashName.c_str());
    if (error == 0 && !posix::WriteAll(info.Get(), infoText)) {
        error = errno;
    }
    if (!info.Close() && error == 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlinkat(trash.info.Get(), infoName.CStr(), 0);
    }
    return error;
}

}  // namespace

static int SendToTrash(const Directory& folder, std::string_view name,
                       const std::string& absolutePath, std::int64_t deletedAt, TrashPlace* place) {
    const posix::ComponentName entry(name);
    if (!entry.Valid()) {
        return entry.Error();
    }
    if (absolutePath.empty() || absolutePath.front() != '/') {
        return EINVAL;
    }
    struct stat info {};
    if (::fstatat(folder.Descriptor(), entry.CStr(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        return errno;
    }

    posix::TrashFolders trash;
    const int located = posix::OpenTrashFor(folder.Descriptor(),
                                            posix::SplitLastComponent(absolutePath).folder, &trash);
    if (located != 0) {
        return located;
    }
    const std::string infoText = posix::TrashInfoText(
        posix::PercentEncodePath(PathToRecord(absolutePath, trash.topdir)), deletedAt);
    const std::size_t maxLength = MaxTrashNameLength(trash.info.Get());

    for (int attempt = 1; attempt <= kMaxAttempts; ++attempt) {
        const std::string trashName = posix::TrashEntryName(name, attempt, maxLength);
        const posix::ComponentName target(trashName);
        if (!target.Valid()) {
            return target.Error();
        }
        const int claimed = ClaimName(trash, trashName, infoText);
        if (claimed == EEXIST) {
            continue;
        }
        if (claimed != 0) {
            return claimed;
        }
        const int moved = posix::RenameNoReplace(folder.Descriptor(), entry.CStr(),
                                                 trash.files.Get(), target.CStr());
        if (moved == 0) {
            if (place != nullptr) {
                const auto pathOf = [](int fd) {
                    return posix::ReadLink("/proc/self/fd/" + std::to_string(fd)).value_or("");
                };
                const std::string filesFolder = pathOf(trash.files.Get());
                const std::string infoFolder = pathOf(trash.info.Get());
                *place = {filesFolder.empty() ? filesFolder : filesFolder + "/" + trashName,
                          infoFolder.empty()
                              ? infoFolder
                              : infoFolder + "/" + trashName + std::string(kInfoSuffix)};
            }
            return 0;
        }
        const std::string infoName = trashName + std::string(kInfoSuffix);
        ::unlinkat(trash.info.Get(), infoName.c_str(), 0);
        // Taken in files/ between the check and the move: try the next name.
        if (moved != EEXIST) {
            return moved;
        }
    }
    return EEXIST;
}

int RestoreFromRecycleBin(const std::string&) {
    return ENOSYS;
}

int MoveToTrash(const Directory& folder, std::string_view name, const std::string& absolutePath,
                std::int64_t deletedAt, TrashFailure* failure, TrashPlace* place) {
    const int error = SendToTrash(folder, name, absolutePath, deletedAt, place);
    if (failure != nullptr) {
        *failure = {error, 0};
    }
    return error;
}

}  // namespace quellix::platform
