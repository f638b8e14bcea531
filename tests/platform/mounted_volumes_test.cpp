#include "platform/mounted_volumes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/scratch_mount.h"
#include "support/temp_dir.h"

namespace quellix::platform {
namespace {

const MountedVolume* Find(const std::vector<MountedVolume>& volumes, const std::string& root) {
    const auto found = std::find_if(volumes.begin(), volumes.end(),
                                    [&root](const MountedVolume& v) { return v.rootPath == root; });
    return found == volumes.end() ? nullptr : &*found;
}

TEST(MountedVolumes, ListsTheRootAndANewMountUnderItsOwnName) {
    const std::vector<MountedVolume> before = MountedVolumes();
    const MountedVolume* root = Find(before, "/");
    ASSERT_NE(root, nullptr);
    EXPECT_TRUE(root->ready);
    EXPECT_FALSE(root->fileSystemType.empty());

    // The system's table escapes a space, a tab and a backslash in a mount point.
    test::TempDir dir;
    const std::string point = dir.Path() + "/scratch \tmount\\here";
    test::ScratchMount mount(point);
    if (!mount.Mounted()) {
        GTEST_SKIP() << "mounting needs root";
    }
    const std::vector<MountedVolume> after = MountedVolumes();
    const MountedVolume* scratch = Find(after, point);
    ASSERT_NE(scratch, nullptr);
    EXPECT_EQ(scratch->fileSystemType, "tmpfs");
    EXPECT_TRUE(scratch->ready);
    EXPECT_EQ(scratch->label, "");
}

}  // namespace
}  // namespace quellix::platform
