#include "support/file_tree.h"

#include <algorithm>
#include <filesystem>

namespace quellix::test {

namespace fs = std::filesystem;

void FileTree::File(const std::string& relative, std::int64_t date, const std::string& content) {
    dir_.Write(relative, content);
    SetTimes(relative, date, date);
}

void FileTree::Folder(const std::string& relative) {
    fs::create_directories(Path(relative));
}

bool FileTree::Exists(const std::string& relative) const {
    return dir_.Exists(relative);
}

bool FileTree::IsLink(const std::string& relative) const {
    std::error_code error;
    return fs::is_symlink(fs::symlink_status(Path(relative), error));
}

std::string FileTree::LinkTarget(const std::string& relative) const {
    std::error_code error;
    return fs::read_symlink(Path(relative), error).string();
}

std::vector<std::string> FileTree::List(const std::string& relative) const {
    std::vector<std::string> entries;
    const fs::path base = Root();
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(Path(relative), error);
         it != fs::recursive_directory_iterator(); it.increment(error)) {
        entries.push_back(fs::relative(it->path(), base).generic_string());
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

}  // namespace quellix::test
