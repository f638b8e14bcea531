#include "platform/posix/trash_location.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <optional>

#include "platform/path_trust.h"
#include "platform/posix/password_home.h"
#include "platform/posix/paths.h"
#include "platform/process_info.h"
#include "platform/trash.h"

namespace quellix::platform::posix {

namespace {

// Where an entry lives. Two places allow a rename between them only on the same device and, as
// bind mounts of one device refuse renames between them, in the same mount.
struct Place {
    std::uint64_t deviceMajor = 0;
    std::uint64_t deviceMinor = 0;
    std::uint64_t inode = 0;
    std::optional<std::uint64_t> mount;  // kernels before 5.8 do not tell

    bool SameFileSystem(const Place& other) const {
        return deviceMajor == other.deviceMajor && deviceMinor == other.deviceMinor &&
               (!mount || !other.mount || *mount == *other.mount);
    }
    bool SameEntry(const Place& other) const {
        return SameFileSystem(other) && inode == other.inode;
    }
};

std::optional<Place> PlaceOf(int at, const char* path, int flags) {
    struct statx info {};
    if (::statx(at, path, flags | AT_NO_AUTOMOUNT, STATX_TYPE | STATX_INO | STATX_MNT_ID, &info) !=
        0) {
        return std::nullopt;
    }
    Place place;
    place.deviceMajor = info.stx_dev_major;
    place.deviceMinor = info.stx_dev_minor;
    place.inode = info.stx_ino;
    if ((info.stx_mask & STATX_MNT_ID) != 0) {
        place.mount = info.stx_mnt_id;
    }
    return place;
}

std::optional<Place> PlaceOfFd(int fd) {
    return PlaceOf(fd, "", AT_EMPTY_PATH);
}

// The place of path, or of its nearest existing ancestor: where folders made for it will be.
std::optional<Place> PlaceOfNearestExisting(std::string path) {
    for (;;) {
        if (std::optional<Place> place = PlaceOf(AT_FDCWD, path.c_str(), 0)) {
            return place;
        }
        if (errno != ENOENT || path == "/") {
            return std::nullopt;
        }
        path = SplitLastComponent(path).folder;
    }
}

int MakeFolders(const std::string& path) {
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string prefix = path.substr(0, slash);
        if (::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) {
            return errno;
        }
        if (slash == std::string::npos) {
            return 0;
        }
    }
}

UniqueFd OpenFolderAt(int at, const char* name, int extraFlags) {
    int fd;
    do {
        fd = ::openat(at, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC | extraFlags);
    } while (fd < 0 && errno == EINTR);
    return UniqueFd(fd);
}

// A subfolder made private to this user when missing; a link in its place is refused.
UniqueFd OpenOrMakeSubfolder(int at, const char* name, int* error) {
    if (::mkdirat(at, name, 0700) != 0 && errno != EEXIST) {
        *error = errno;
        return UniqueFd();
    }
    UniqueFd fd = OpenFolderAt(at, name, O_NOFOLLOW);
    *error = fd.Valid() ? 0 : errno;
    return fd;
}

bool OwnedByUs(int fd) {
    struct stat info {};
    return ::fstat(fd, &info) == 0 && info.st_uid == ::geteuid();
}

int OpenFilesAndInfo(int trashFd, TrashFolders* trash) {
    int error = 0;
    trash->files = OpenOrMakeSubfolder(trashFd, "files", &error);
    if (error != 0) {
        return error;
    }
    trash->info = OpenOrMakeSubfolder(trashFd, "info", &error);
    return error;
}

int OpenHomeTrash(const std::string& path, TrashFolders* trash) {
    if (const int error = MakeFolders(path); error != 0) {
        return error;
    }
    // Followed if a link: users move their trash elsewhere that way.
    const UniqueFd trashFd = OpenFolderAt(AT_FDCWD, path.c_str(), 0);
    if (!trashFd.Valid()) {
        return errno;
    }
    trash->topdir.clear();
    return OpenFilesAndInfo(trashFd.Get(), trash);
}

// Path of the open folder, checked to still lead to it.
std::optional<std::string> FolderPathOf(int folderFd, const Place& folder,
                                        const std::string& fallback) {
    std::optional<std::string> path = ReadLink("/proc/self/fd/" + std::to_string(folderFd));
    if (!path || path->empty() || path->front() != '/') {
        path = RealPath(fallback);
    }
    if (!path) {
        return std::nullopt;
    }
    const std::optional<Place> found = PlaceOf(AT_FDCWD, path->c_str(), 0);
    if (!found || !found->SameEntry(folder)) {
        return std::nullopt;
    }
    return path;
}

// The highest folder above folderPath still in the folder's mount.
std::string TopFolder(std::string path, const Place& folder) {
    while (path != "/") {
        const std::string parent = SplitLastComponent(path).folder;
        const std::optional<Place> place = PlaceOf(AT_FDCWD, parent.c_str(), 0);
        if (!place || !place->SameFileSystem(folder)) {
            break;
        }
        path = parent;
    }
    return path;
}

// $topdir/.Trash/$uid, only when an administrator made $topdir/.Trash a real folder with the
// sticky bit: without it any user could swap or empty the others' trash.
bool OpenSharedTrash(int topFd, const std::string& uid, TrashFolders* trash) {
    struct stat shared {};
    if (::fstatat(topFd, ".Trash", &shared, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISDIR(shared.st_mode) ||
        (shared.st_mode & S_ISVTX) == 0) {
        return false;
    }
    const UniqueFd sharedFd = OpenFolderAt(topFd, ".Trash", O_NOFOLLOW);
    if (!sharedFd.Valid()) {
        return false;
    }
    int error = 0;
    const UniqueFd userFd = OpenOrMakeSubfolder(sharedFd.Get(), uid.c_str(), &error);
    return error == 0 && OwnedByUs(userFd.Get()) && OpenFilesAndInfo(userFd.Get(), trash) == 0;
}

int OpenTopdirTrash(int folderFd, const Place& folder, const std::string& folderPath,
                    TrashFolders* trash) {
    const std::optional<std::string> path = FolderPathOf(folderFd, folder, folderPath);
    if (!path) {
        return ENOENT;
    }
    const std::string topdir = TopFolder(*path, folder);
    const UniqueFd topFd = OpenFolderAt(AT_FDCWD, topdir.c_str(), O_NOFOLLOW);
    if (!topFd.Valid()) {
        return errno;
    }
    const std::string uid = std::to_string(CurrentUserId());
    trash->topdir = topdir;
    if (OpenSharedTrash(topFd.Get(), uid, trash)) {
        return 0;
    }
    const std::string own = ".Trash-" + uid;
    int error = 0;
    const UniqueFd ownFd = OpenOrMakeSubfolder(topFd.Get(), own.c_str(), &error);
    if (error != 0) {
        return error;
    }
    // Someone else's folder under our name would receive our files.
    if (!OwnedByUs(ownFd.Get())) {
        return EPERM;
    }
    return OpenFilesAndInfo(ownFd.Get(), trash);
}

}  // namespace

int OpenTrashFor(int folderFd, const std::string& folderPath, TrashFolders* trash) {
    const std::optional<Place> folder = PlaceOfFd(folderFd);
    if (!folder) {
        return errno;
    }
    if (const std::string home = HomeTrashPath(); !home.empty()) {
        const std::optional<Place> homePlace = PlaceOfNearestExisting(home);
        if (homePlace && homePlace->SameFileSystem(*folder)) {
            if (const int error = OpenHomeTrash(home, trash); error != 0) {
                return error;
            }
            // Part of the way may be a mount or link of its own after all.
            const std::optional<Place> files = PlaceOfFd(trash->files.Get());
            if (files && files->SameFileSystem(*folder)) {
                return 0;
            }
        }
    }
    return OpenTopdirTrash(folderFd, *folder, folderPath, trash);
}

}  // namespace quellix::platform::posix

namespace quellix::platform {

std::string HomeTrashPath() {
    // Started with a user's environment (sudo -E, su without "-"), root would put what it trashes
    // where that user can read it: as root, only a trash that root alone can change is taken,
    // else root's own.
    const bool root = ::geteuid() == 0;
    const auto usable = [root](const std::string& trash) {
        return !root || !PlaceOthersCanChange(trash);
    };
    // A relative XDG_DATA_HOME is invalid and ignored, like an empty one.
    if (const std::optional<std::string> data = EnvironmentVariable("XDG_DATA_HOME");
        data && !data->empty() && data->front() == '/' && usable(posix::JoinPath(*data, "Trash"))) {
        return posix::JoinPath(*data, "Trash");
    }
    for (const std::string& home :
         {HomeDirectory(), root ? posix::PasswordHome(0) : std::string()}) {
        if (!home.empty() && home.front() == '/' &&
            usable(posix::JoinPath(home, ".local/share/Trash"))) {
            return posix::JoinPath(home, ".local/share/Trash");
        }
    }
    return {};
}

bool IsTopdirTrashName(std::string_view name) {
    return name == ".Trash" || name == ".Trash-" + std::to_string(CurrentUserId());
}

}  // namespace quellix::platform
