#include "platform/folder_tree.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>

#include "platform/posix/fd_io.h"
#include "platform/posix/folder_reader.h"

namespace quellix::platform {

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool BeforeIgnoringCase(const std::string& a, const std::string& b) {
    const auto [left, right] = std::mismatch(a.begin(), a.end(), b.begin(), b.end(),
                                             [](char x, char y) { return Lower(x) == Lower(y); });
    if (left == a.end() || right == b.end()) {
        // One name starts the other: the shorter first; equal but for case: a steady order.
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    }
    return Lower(*left) < Lower(*right);
}

}  // namespace

std::optional<std::vector<std::string>> SubfolderNames(const std::string& path) {
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    const posix::UniqueFd folder(fd);
    if (!folder.Valid()) {
        return std::nullopt;
    }
    std::vector<std::string> names;
    posix::FolderReader reader(folder.Get());
    std::string_view name;
    unsigned char type = DT_UNKNOWN;
    while (reader.Next(&name, &type)) {
        if (type == DT_DIR) {
            names.emplace_back(name);
        } else if (type == DT_LNK || type == DT_UNKNOWN) {
            // A link counts by what it leads to; stat reads no file's content.
            const std::string child(name);
            struct stat info {};
            if (::fstatat(folder.Get(), child.c_str(), &info, 0) == 0 && S_ISDIR(info.st_mode)) {
                names.push_back(child);
            }
        }
    }
    if (reader.Error() != 0) {
        return std::nullopt;
    }
    std::sort(names.begin(), names.end(), BeforeIgnoringCase);
    return names;
}

}  // namespace quellix::platform
