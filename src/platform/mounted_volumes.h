#pragma once

#include <string>
#include <vector>

namespace quellix::platform {

// A mounted file system (on Windows: a drive).
struct MountedVolume {
    std::string rootPath;  // its mount point, e.g. "/" or "/media/usb"; on Windows "C:\"
    std::string fileSystemType;
    std::string label;  // empty when it has none
    bool ready = true;  // false when its medium cannot be read now
};

// The file systems mounted now, in the system's order; a file system mounted again on the same
// point appears again.
std::vector<MountedVolume> MountedVolumes();

}  // namespace quellix::platform
