#include "platform/mounted_volumes.h"

#include <dirent.h>
#include <sys/statvfs.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <sstream>

#include "platform/file_system.h"

namespace quellix::platform {
namespace {

// mountinfo writes space, tab, newline and backslash in a path as octal escapes ("\040").
std::string UnescapeOctal(const std::string& field) {
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const std::string digits = field.substr(i + 1, 3);
            if (digits.find_first_not_of("01234567") == std::string::npos) {
                text += static_cast<char>(std::stoi(digits, nullptr, 8));
                i += 3;
                continue;
            }
        }
        text += field[i];
    }
    return text;
}

// udev writes unsafe bytes of a label as "\x20".
std::string UnescapeHex(const std::string& name) {
    std::string text;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name.compare(i, 2, "\\x") == 0 && i + 4 <= name.size()) {
            const std::string digits = name.substr(i + 2, 2);
            if (digits.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos) {
                text += static_cast<char>(std::stoi(digits, nullptr, 16));
                i += 3;
                continue;
            }
        }
        text += name[i];
    }
    return text;
}

std::string ResolvedPath(const std::string& path) {
    std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                         &std::free);
    return resolved ? std::string(resolved.get()) : std::string();
}

// Device node -> label, from the links udev keeps for labelled file systems.
std::map<std::string, std::string> LabelsByDevice() {
    std::map<std::string, std::string> labels;
    const std::string folder = "/dev/disk/by-label";
    struct Closer {
        void operator()(DIR* listing) const { ::closedir(listing); }
    };
    std::unique_ptr<DIR, Closer> listing(::opendir(folder.c_str()));
    if (!listing) {
        return labels;
    }
    while (const dirent* entry = ::readdir(listing.get())) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        const std::string device = ResolvedPath(folder + "/" + name);
        if (!device.empty()) {
            labels.emplace(device, UnescapeHex(name));
        }
    }
    return labels;
}

}  // namespace

std::vector<MountedVolume> MountedVolumes() {
    std::vector<MountedVolume> volumes;
    const std::optional<std::string> table = ReadWholeFile("/proc/self/mountinfo");
    if (!table) {
        return volumes;
    }
    const std::map<std::string, std::string> labels = LabelsByDevice();
    std::istringstream lines(*table);
    std::string line;
    while (std::getline(lines, line)) {
        // id parent major:minor root mount-point options [optional fields...] - type source ...
        std::istringstream fields(line);
        std::string field;
        std::string mountPoint;
        for (int i = 0; i < 5 && fields >> field; ++i) {
            mountPoint = field;
        }
        while (fields >> field && field != "-") {
        }
        std::string type;
        std::string source;
        if (!(fields >> type >> source) || mountPoint.empty()) {
            continue;
        }
        MountedVolume volume{UnescapeOctal(mountPoint), type, {}, true};
        struct statvfs sizes {};
        volume.ready = ::statvfs(volume.rootPath.c_str(), &sizes) == 0;
        // A file system that holds nothing is the kernel's or the runtime's, not the user's.
        if (volume.ready && sizes.f_blocks == 0 && volume.rootPath != "/") {
            continue;
        }
        if (source.starts_with('/')) {
            const auto label = labels.find(ResolvedPath(UnescapeOctal(source)));
            if (label != labels.end()) {
                volume.label = label->second;
            }
        }
        volumes.push_back(std::move(volume));
    }
    return volumes;
}

}  // namespace quellix::platform
