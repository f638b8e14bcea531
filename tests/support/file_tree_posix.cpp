#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>

#include "support/file_tree.h"

namespace quellix::test {

namespace fs = std::filesystem;

namespace {

void SetTimesAt(const std::string& path, std::int64_t modified, std::int64_t accessed, int flags) {
    const timespec times[2] = {{static_cast<time_t>(accessed), 0},
                               {static_cast<time_t>(modified), 0}};
    if (utimensat(AT_FDCWD, path.c_str(), times, flags) != 0) {
        throw std::runtime_error("cannot set the times of " + path);
    }
}

}  // namespace

void FileTree::Link(const std::string& relative, const std::string& target, std::int64_t date) {
    fs::create_directories(fs::path(Path(relative)).parent_path());
    fs::create_symlink(target, Path(relative));
    SetTimesAt(Path(relative), date, date, AT_SYMLINK_NOFOLLOW);
}

void FileTree::Fifo(const std::string& relative, std::int64_t date) {
    fs::create_directories(fs::path(Path(relative)).parent_path());
    if (mkfifo(Path(relative).c_str(), 0644) != 0) {
        throw std::runtime_error("cannot make a FIFO");
    }
    SetTimes(relative, date, date);
}

void FileTree::SetTimes(const std::string& relative, std::int64_t modified, std::int64_t accessed) {
    SetTimesAt(Path(relative), modified, accessed, AT_SYMLINK_NOFOLLOW);
}

void FileTree::MakeReadOnly(const std::string& relative) {
    fs::permissions(Path(relative),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
}

bool FileTree::IsReadOnly(const std::string& relative) const {
    struct stat info {};
    return lstat(Path(relative).c_str(), &info) == 0 && (info.st_mode & S_IWUSR) == 0;
}

}  // namespace quellix::test
