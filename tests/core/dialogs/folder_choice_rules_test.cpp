#include "core/dialogs/folder_choice_rules.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace quellix {
namespace {

TEST(WithTrailingSlash, AppendsOneSlashOnlyWhenMissing) {
    const std::pair<std::string, std::string> cases[] = {
        {"/home/ann", "/home/ann/"},
        {"/home/ann/", "/home/ann/"},
        {"/", "/"},
        {"/media/usb", "/media/usb/"},
        {"", ""},
    };
    for (const auto& [path, expected] : cases) {
        EXPECT_EQ(WithTrailingSlash(path), expected) << path;
    }
}

TEST(IsUserVolume, KeepsDisksAndRemovableMediaButNotRuntimeFileSystems) {
    const std::tuple<std::string, std::string, bool> cases[] = {
        {"/", "ext4", true},
        {"/home", "btrfs", true},
        {"/boot/efi", "vfat", true},
        {"/media/ann/STICK", "exfat", true},
        {"/run/media/ann/STICK", "vfat", true},
        {"/tmp", "tmpfs", true},
        {"/mnt/share", "nfs4", true},
        {"/proc", "proc", false},
        {"/sys", "sysfs", false},
        {"/sys/fs/cgroup", "tmpfs", false},
        {"/sys/fs/cgroup/memory", "cgroup", false},
        {"/dev", "devtmpfs", false},
        {"/dev/shm", "tmpfs", false},
        {"/run", "tmpfs", false},
        {"/run/user/1000", "tmpfs", false},
        {"/run/user/1000/doc", "fuse.portal", false},
        {"/run/mediax", "ext4", false},
        {"/snap/core/123", "squashfs", false},
        {"/srv/images", "squashfs", false},
        {"/mnt/huge", "hugetlbfs", false},
        // Names that only begin like a system folder are ordinary folders.
        {"/device", "ext4", true},
        {"/system", "xfs", true},
        {"/running", "ext4", true},
    };
    for (const auto& [root, type, expected] : cases) {
        EXPECT_EQ(IsUserVolume(root, type), expected) << root << " " << type;
    }
}

TEST(IsAtOrBelow, MatchesWholeFolderNamesOnly) {
    const std::tuple<std::string, std::string, bool> cases[] = {
        {"/home/ann", "/home/ann", true},
        {"/home/ann/", "/home/ann", true},
        {"/home/ann/x", "/home/ann/", true},
        {"/home/anna", "/home/ann", false},
        {"/home", "/home/ann", false},
        {"/etc", "/", true},
        {"/", "/", true},
        {"/", "/home", false},
        {"home/ann", "home", false},
        {"", "/", false},
    };
    for (const auto& [path, folder, expected] : cases) {
        EXPECT_EQ(IsAtOrBelow(path, folder), expected) << path << " in " << folder;
    }
}

TEST(VolumeDisplayName, AddsTheLabelUnlessItRepeatsTheMountPoint) {
    EXPECT_EQ(VolumeDisplayName("/", ""), "/");
    EXPECT_EQ(VolumeDisplayName("/media/usb", "STICK"), "/media/usb (STICK)");
    EXPECT_EQ(VolumeDisplayName("/media/usb", "/media/usb"), "/media/usb");
}

TEST(UserVolumes, KeepsTheUsersOwnOncePerMountPointSortedAndNamed) {
    const std::vector<platform::MountedVolume> mounted{
        {"/media/usb", "vfat", "STICK", true},
        {"/proc", "proc", "", true},
        {"/", "ext4", "", true},
        {"/media/usb", "ext4", "OVER", true},
        {"/run/user/1000", "tmpfs", "", true},
        {"/home", "ext4", "home", false},
    };
    const std::vector<Volume> volumes = UserVolumes(mounted);
    ASSERT_EQ(volumes.size(), 3u);
    EXPECT_EQ(volumes[0].rootPath, "/");
    EXPECT_EQ(volumes[0].displayName, "/");
    EXPECT_EQ(volumes[1].rootPath, "/home");
    EXPECT_EQ(volumes[1].displayName, "/home (home)");
    EXPECT_FALSE(volumes[1].ready);
    EXPECT_EQ(volumes[2].displayName, "/media/usb (STICK)");
    EXPECT_TRUE(volumes[2].ready);
}

TEST(VolumeHolding, TakesTheLongestMountPointOnAFolderBoundary) {
    const std::vector<Volume> volumes{
        {"/", "/", true},
        {"/home", "/home", true},
        {"/media/usb", "/media/usb (STICK)", false},
        {"/home/ann/mnt/", "/home/ann/mnt", true},
    };
    const std::pair<std::string, std::optional<std::size_t>> cases[] = {
        {"/", 0},
        {"/etc", 0},
        {"/home", 1},
        {"/home/", 1},
        {"/home/ann", 1},
        {"/homework", 0},
        {"/media/usb", 2},
        {"/media/usb/photos/", 2},
        {"/media/usb2", 0},
        {"/home/ann/mnt", 3},
        {"/home/ann/mnt/a", 3},
        {"/home/ann/mntx", 1},
        {"relative/path", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [path, expected] : cases) {
        EXPECT_EQ(VolumeHolding(volumes, path), expected) << path;
    }
    EXPECT_EQ(VolumeHolding({{"/media/usb", "usb", true}}, "/etc"), std::nullopt);
    EXPECT_EQ(VolumeHolding({}, "/"), std::nullopt);
}

}  // namespace
}  // namespace quellix
