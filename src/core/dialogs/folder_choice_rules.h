#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/mounted_volumes.h"

// Rules of the drive list and folder list shared by the folder editor, the destination picker
// and the log folder dialog. On this system a mounted volume plays the part of a drive.
namespace quellix {

// A volume offered in the drive list.
struct Volume {
    std::string rootPath;  // its mount point, e.g. "/" or "/media/usb"
    std::string displayName;
    bool ready = true;  // false when its medium cannot be read (Qt's "not ready")
};

// The folder path as the lists report it: "/" appended unless it ends with one already. An
// empty path stays empty: no folder is chosen.
std::string WithTrailingSlash(std::string_view path);

// Whether a mounted file system is one a user keeps files on: kernel and runtime pseudo file
// systems (proc, sysfs, cgroups, tmpfs under /run...) and read-only package images are not.
// Removable media mounted under /run/media stay.
bool IsUserVolume(std::string_view rootPath, std::string_view fileSystemType);

// The drive list's text for a volume: its mount point, and its label when it has one that is not
// the mount point itself.
std::string VolumeDisplayName(std::string_view rootPath, std::string_view label);

// The drive list's volumes among those mounted: the user's own (IsUserVolume), each mount point
// once (the first mounted), sorted by mount point.
std::vector<Volume> UserVolumes(const std::vector<platform::MountedVolume>& mounted);

// Whether the absolute path is folder itself or lies below it; trailing slashes do not count.
bool IsAtOrBelow(std::string_view path, std::string_view folder);

// The index of the volume holding the absolute path: the one with the longest mount point that
// is path itself or one of its parent folders; none when no volume holds it.
std::optional<std::size_t> VolumeHolding(const std::vector<Volume>& volumes, std::string_view path);

}  // namespace quellix
