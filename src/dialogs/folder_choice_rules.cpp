#include "dialogs/folder_choice_rules.h"

#include <algorithm>
#include <array>

namespace quellix {
namespace {

// File systems of the kernel and of the runtime, and read-only package images.
constexpr std::array<std::string_view, 25> kPseudoFileSystems{
    "autofs", "binfmt_misc", "bpf",           "cgroup",     "cgroup2",    "configfs",  "debugfs",
    "devpts", "devtmpfs",    "efivarfs",      "fusectl",    "hugetlbfs",  "mqueue",    "nsfs",
    "proc",   "pstore",      "ramfs",         "rpc_pipefs", "securityfs", "selinuxfs", "squashfs",
    "sysfs",  "tracefs",     "fuse.snapfuse", "rootfs"};

// Whether path is folder or lies below it, both without trailing "/" (the root as "").
bool IsAtOrBelow(std::string_view path, std::string_view folder) {
    if (!path.starts_with(folder)) {
        return false;
    }
    return path.size() == folder.size() || path[folder.size()] == '/';
}

std::string_view WithoutTrailingSlashes(std::string_view path) {
    while (!path.empty() && path.back() == '/') {
        path.remove_suffix(1);
    }
    return path;
}

}  // namespace

std::string WithTrailingSlash(std::string_view path) {
    std::string result(path);
    if (!result.empty() && result.back() != '/') {
        result += '/';
    }
    return result;
}

bool IsUserVolume(std::string_view rootPath, std::string_view fileSystemType) {
    if (std::find(kPseudoFileSystems.begin(), kPseudoFileSystems.end(), fileSystemType) !=
        kPseudoFileSystems.end()) {
        return false;
    }
    const std::string_view root = WithoutTrailingSlashes(rootPath);
    for (std::string_view system : {"/proc", "/sys", "/dev"}) {
        if (IsAtOrBelow(root, system)) {
            return false;
        }
    }
    return !IsAtOrBelow(root, "/run") || IsAtOrBelow(root, "/run/media");
}

std::string VolumeDisplayName(std::string_view rootPath, std::string_view label) {
    std::string name(rootPath);
    if (!label.empty() && label != rootPath) {
        name.append(" (").append(label).append(")");
    }
    return name;
}

std::optional<std::size_t> VolumeHolding(const std::vector<Volume>& volumes,
                                         std::string_view path) {
    if (!path.starts_with('/')) {
        return std::nullopt;
    }
    const std::string_view target = WithoutTrailingSlashes(path);
    std::optional<std::size_t> holder;
    std::size_t holderLength = 0;
    for (std::size_t i = 0; i < volumes.size(); ++i) {
        const std::string_view root = WithoutTrailingSlashes(volumes[i].rootPath);
        if (!volumes[i].rootPath.starts_with('/') || !IsAtOrBelow(target, root)) {
            continue;
        }
        if (!holder || root.size() > holderLength) {
            holder = i;
            holderLength = root.size();
        }
    }
    return holder;
}

bool HasHiddenFolder(std::string_view path) {
    std::size_t start = 0;
    while (start < path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string_view::npos) {
            end = path.size();
        }
        const std::string_view name = path.substr(start, end - start);
        if (name.starts_with('.') && name != "." && name != "..") {
            return true;
        }
        start = end + 1;
    }
    return false;
}

}  // namespace quellix
