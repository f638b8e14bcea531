#include "platform/win32/shell_link.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <optional>

#include "platform/directory.h"
#include "platform/win32/wide_text.h"
#include "support/temp_dir.h"
#include "win32/file_helpers.h"

namespace quellix::platform::win32 {
namespace {

// Folder names that take a path past MAX_PATH.
std::string Deep(int levels) {
    std::string path;
    for (int level = 0; level < levels; ++level) {
        path += "/a folder nested deep below the others " + std::to_string(level);
    }
    return path;
}

class ShellLinkTest : public ::testing::Test {
  protected:
    void SetUp() override { ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override { test::RemoveTreeAt(SystemPath(dir_.Path() + "/deep")); }
    Directory Open(const std::string& folder) const {
        std::optional<Directory> opened = Directory::Open(folder);
        EXPECT_TRUE(opened);
        return std::move(*opened);
    }

    const quellix::test::TempDir dir_;
};

TEST_F(ShellLinkTest, PointsToTheMovedFileAndNeverReplacesOne) {
    const std::string target = dir_.Write("archive/2009/report final.doc", "moved here");
    const Directory folder = Open(dir_.Path());
    ASSERT_EQ(SaveShellLink(folder.Descriptor(), L"report final.lnk", SystemPath(target)), 0);
    const std::wstring expected = SystemPath(target).substr(4);  // without "\\?\"
    const std::wstring link = SystemPath(dir_.File("report final.lnk"));
    EXPECT_EQ(test::ShellLinkTarget(link), expected);

    dir_.Write("taken.lnk", "someone else's");
    EXPECT_EQ(SaveShellLink(folder.Descriptor(), L"taken.lnk", SystemPath(target)), EEXIST);
    EXPECT_EQ(dir_.Read("taken.lnk"), "someone else's");
    EXPECT_EQ(SaveShellLink(folder.Descriptor(), L"report final.lnk", SystemPath(target)), EEXIST);
    EXPECT_EQ(test::ShellLinkTarget(link), expected);
}

// The link is written relative to its folder's handle: a folder past MAX_PATH takes one, as long
// as its target fits the shell's buffer. A target that does not fit leaves nothing behind.
TEST_F(ShellLinkTest, ALongFolderTakesALinkButALongTargetIsRefused) {
    const std::string deepFolder = dir_.Path() + "/deep" + Deep(8);
    ASSERT_GT(SystemPath(deepFolder).size(), 300u);
    ASSERT_TRUE(test::MakeFoldersAt(deepFolder));
    const std::string shortTarget = dir_.Write("moved.txt", "here");
    const std::string longTarget = deepFolder + "/moved.txt";
    ASSERT_TRUE(test::WriteFileAt(longTarget, "deep"));
    const Directory deep = Open(deepFolder);
    const Directory top = Open(dir_.Path());

    EXPECT_FALSE(ShellLinkTargetFits(SystemPath(longTarget)));
    EXPECT_TRUE(ShellLinkTargetFits(SystemPath(shortTarget)));
    EXPECT_EQ(SaveShellLink(top.Descriptor(), L"far.lnk", SystemPath(longTarget)), ENAMETOOLONG);
    EXPECT_FALSE(dir_.Exists("far.lnk"));
    EXPECT_EQ(deep.CanMakeSymlink("moved.lnk", longTarget), ENAMETOOLONG);

    EXPECT_EQ(deep.CanMakeSymlink("near.lnk", shortTarget), 0);
    ASSERT_EQ(deep.MakeSymlink("near.lnk", shortTarget), 0);
    EXPECT_EQ(test::ShellLinkTarget(SystemPath(deepFolder + "/near.lnk")),
              SystemPath(shortTarget).substr(4));
    EXPECT_EQ(deep.CanMakeSymlink("near.lnk", shortTarget), EEXIST);
    EXPECT_EQ(deep.CanMakeSymlink("a/b.lnk", shortTarget), EINVAL);
    EXPECT_EQ(deep.CanMakeSymlink("c.lnk", ""), EINVAL);
}

}  // namespace
}  // namespace quellix::platform::win32
