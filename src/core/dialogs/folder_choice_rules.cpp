#include "core/dialogs/folder_choice_rules.h"

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

// The root comes out as "".
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

bool IsAtOrBelow(std::string_view path, std::string_view folder) {
    if (!path.starts_with('/') || !folder.starts_with('/')) {
        return false;
    }
    path = WithoutTrailingSlashes(path);
    folder = WithoutTrailingSlashes(folder);
    return path.starts_with(folder) && (path.size() == folder.size() || path[folder.size()] == '/');
}

bool IsUserVolume(std::string_view rootPath, std::string_view fileSystemType) {
    if (std::find(kPseudoFileSystems.begin(), kPseudoFileSystems.end(), fileSystemType) !=
        kPseudoFileSystems.end()) {
        return false;
    }
    for (std::string_view system : {"/proc", "/sys", "/dev"}) {
        if (IsAtOrBelow(rootPath, system)) {
            return false;
        }
    }
    return !IsAtOrBelow(rootPath, "/run") || IsAtOrBelow(rootPath, "/run/media");
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
    std::optional<std::size_t> holder;
    std::size_t holderLength = 0;
    for (std::size_t i = 0; i < volumes.size(); ++i) {
        if (!IsAtOrBelow(path, volumes[i].rootPath)) {
            continue;
        }
        const std::size_t length = WithoutTrailingSlashes(volumes[i].rootPath).size();
        if (!holder || length > holderLength) {
            holder = i;
            holderLength = length;
        }
    }
    return holder;
}

std::vector<Volume> UserVolumes(const std::vector<platform::MountedVolume>& mounted) {
    std::vector<Volume> volumes;
    for (const platform::MountedVolume& volume : mounted) {
        if (!IsUserVolume(volume.rootPath, volume.fileSystemType) ||
            std::any_of(volumes.begin(), volumes.end(), [&volume](const Volume& known) {
                return known.rootPath == volume.rootPath;
            })) {
            continue;
        }
        volumes.push_back(
            {volume.rootPath, VolumeDisplayName(volume.rootPath, volume.label), volume.ready});
    }
    std::sort(volumes.begin(), volumes.end(),
              [](const Volume& a, const Volume& b) { return a.rootPath < b.rootPath; });
    return volumes;
}

}  // namespace quellix
