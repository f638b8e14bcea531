#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/os_info.h"
#include "support/child_process.h"
#include "support/temp_dir.h"

namespace quellix::platform {
namespace {

using test::RunInChild;
using test::TempDir;

// A temporary folder with a/b, a symbolic link "link" to a/b and a file a/b/file.ini.
class CanonicalPathTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_.Write("a/b/file.ini", "x");
        ASSERT_EQ(::symlink("a/b", dir_.File("link").c_str()), 0);
        // The temporary folder itself may sit behind a link.
        base_ = std::filesystem::canonical(dir_.Path()).string();
    }

    TempDir dir_;
    std::string base_;
};

TEST_F(CanonicalPathTest, ResolvesDotsAndFolderLinks) {
    EXPECT_EQ(CanonicalPath(dir_.Path() + "/a/b/../b/./file.ini"), base_ + "/a/b/file.ini");
    EXPECT_EQ(CanonicalPath(dir_.Path() + "/link/file.ini"), base_ + "/a/b/file.ini");
    EXPECT_EQ(CanonicalPath(dir_.Path() + "//link//../b/file.ini"), base_ + "/a/b/file.ini");
    EXPECT_EQ(CanonicalPath(dir_.Path() + "/a/b/.."), base_ + "/a");
    EXPECT_EQ(CanonicalPath(dir_.Path() + "/a/b/."), base_ + "/a/b");
    EXPECT_EQ(CanonicalPath(dir_.Path() + "/a/"), base_ + "/a");
    EXPECT_EQ(CanonicalPath("/"), "/");
}

TEST_F(CanonicalPathTest, LastComponentNeedNotExistAndIsNotFollowed) {
    EXPECT_EQ(CanonicalPath(dir_.Path() + "/link/new.ini"), base_ + "/a/b/new.ini");
    EXPECT_EQ(CanonicalPath(dir_.Path() + "/link"), base_ + "/link");
    EXPECT_EQ(CanonicalPath(dir_.Path() + "/a/b/-odd \xff\nname"), base_ + "/a/b/-odd \xff\nname");
}

TEST_F(CanonicalPathTest, UnresolvableFolderReturnsPathUnchanged) {
    const std::string missing = dir_.Path() + "/missing/../x/new.ini";
    EXPECT_EQ(CanonicalPath(missing), missing);
    const std::string belowFile = dir_.Path() + "/a/b/file.ini/new.ini";
    EXPECT_EQ(CanonicalPath(belowFile), belowFile);
    EXPECT_EQ(CanonicalPath(""), "");
}

TEST_F(CanonicalPathTest, RelativePathStartsAtCurrentFolder) {
    const int code = RunInChild([&] {
        if (::chdir(dir_.File("a").c_str()) != 0) {
            return 2;
        }
        if (CanonicalPath("b/../new.ini") != base_ + "/a/new.ini") {
            return 1;
        }
        return CanonicalPath("plain.ini") == base_ + "/a/plain.ini" ? 0 : 1;
    });
    EXPECT_EQ(code, 0);
}

}  // namespace
}  // namespace quellix::platform
