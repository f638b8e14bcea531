// The floor a purge walk can reach while it asks every obsolete file whether it is in use: one
// listing of each folder, one statx per entry, the lease probe (open, F_SETLEASE, close) and
// unlinkat per obsolete file, nothing else. bench/program_bench.sh times it beside find and the
// real program, in the same run.
//
//   floor_purge DIR HOURS     prints the number of files deleted
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <string>
#include <vector>

namespace {

struct Walk {
    std::int64_t cutoff = 0;
    std::int64_t deleted = 0;
};

bool InUse(int folder, const char* name) {
    const int fd = ::openat(folder, name,
                            O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | O_NOATIME);
    if (fd < 0) {
        return errno == EWOULDBLOCK;
    }
    const bool free = ::fcntl(fd, F_SETLEASE, F_WRLCK) == 0;
    const bool inUse = !free && errno == EAGAIN;
    ::close(fd);
    return inUse;
}

void PurgeFolder(int fd, Walk& walk) {
    DIR* listing = ::fdopendir(fd);
    if (listing == nullptr) {
        ::close(fd);
        return;
    }
    std::vector<std::string> subfolders;
    while (const dirent* entry = ::readdir(listing)) {
        const std::string_view name(entry->d_name);
        if (name == "." || name == "..") {
            continue;
        }
        struct statx info {};
        if (::statx(fd, entry->d_name, AT_SYMLINK_NOFOLLOW, STATX_TYPE | STATX_MTIME, &info) != 0) {
            continue;
        }
        if (S_ISDIR(info.stx_mode)) {
            subfolders.emplace_back(name);
        } else if (info.stx_mtime.tv_sec <= walk.cutoff && !InUse(fd, entry->d_name) &&
                   ::unlinkat(fd, entry->d_name, 0) == 0) {
            ++walk.deleted;
        }
    }
    for (const std::string& name : subfolders) {
        const int child =
            ::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (child >= 0) {
            PurgeFolder(child, walk);
        }
    }
    ::closedir(listing);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::cerr << "usage: floor_purge DIR HOURS\n";
        return 2;
    }
    ::signal(SIGIO, SIG_IGN);
    const int root = ::open(argv[1], O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (root < 0) {
        std::cerr << "floor_purge: cannot open " << argv[1] << '\n';
        return 1;
    }
    Walk walk;
    walk.cutoff = static_cast<std::int64_t>(std::time(nullptr)) - std::atoll(argv[2]) * 3600;
    PurgeFolder(root, walk);
    std::cout << walk.deleted << '\n';
    return 0;
}
