#include "platform/path_trust.h"

#include <sys/stat.h>

#include <cerrno>
#include <deque>

#include "platform/posix/paths.h"

namespace quellix::platform {

namespace {

constexpr int kMaxLinks = 40;  // as the kernel allows

bool WritableByOthers(const struct stat& info) {
    return (info.st_mode & (S_IWGRP | S_IWOTH)) != 0;
}

// Others may add names to the folder but, sticky, not remove or rename what is root's.
bool Sticky(const struct stat& info) {
    return (info.st_mode & S_ISVTX) != 0;
}

void PushNamesFront(std::deque<std::string>& names, const std::string& path) {
    std::deque<std::string> parts;
    for (std::size_t start = 0; start <= path.size();) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        if (end > start) {
            parts.push_back(path.substr(start, end - start));
        }
        start = end + 1;
    }
    names.insert(names.begin(), parts.begin(), parts.end());
}

}  // namespace

std::optional<std::string> PlaceOthersCanChange(const std::string& path) {
    if (path.empty() || path.front() != '/') {
        return path;
    }
    static const std::string kRoot = "/";
    std::string current = kRoot;
    struct stat folder {};
    if (::lstat("/", &folder) != 0 || folder.st_uid != 0 ||
        (WritableByOthers(folder) && !Sticky(folder))) {
        return current;
    }
    std::deque<std::string> names;
    PushNamesFront(names, path);
    int links = 0;
    while (!names.empty()) {
        const std::string name = std::move(names.front());
        names.pop_front();
        if (name == ".") {
            continue;
        }
        if (name == "..") {
            // Taken by the text, as the folder it leaves was checked on the way in.
            current = posix::SplitLastComponent(current).folder;
            if (::lstat(current.c_str(), &folder) != 0) {
                return current;
            }
            continue;
        }
        const std::string next = posix::JoinPath(current, name);
        struct stat info {};
        if (::lstat(next.c_str(), &info) != 0) {
            // Missing: only those who may add names to the folder could make it first.
            const bool othersMayAdd = WritableByOthers(folder);
            return errno == ENOENT && !othersMayAdd ? std::nullopt : std::optional(next);
        }
        if (info.st_uid != 0) {
            return next;
        }
        if (S_ISLNK(info.st_mode)) {
            const std::optional<std::string> target = posix::ReadLink(next);
            if (++links > kMaxLinks || !target || target->empty()) {
                return next;
            }
            if (target->front() == '/') {
                current = kRoot;
                ::lstat(kRoot.c_str(), &folder);
            }
            PushNamesFront(names, *target);
            continue;
        }
        if (S_ISDIR(info.st_mode)) {
            if (WritableByOthers(info) && !Sticky(info)) {
                return next;
            }
            current = next;
            folder = info;
            continue;
        }
        // A file must be the last name, and not writable by anyone else.
        if (!names.empty() || WritableByOthers(info)) {
            return next;
        }
    }
    return std::nullopt;
}

}  // namespace quellix::platform
