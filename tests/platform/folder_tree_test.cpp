#include "platform/folder_tree.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace quellix::platform {
namespace {

using test::TempDir;
using Names = std::vector<std::string>;

// Folders and links to folders, dot folders too, sorted without regard to case; files, links to
// files and dangling links left out.
TEST(SubfolderNames, FoldersAndLinksToFoldersSortedIgnoringCase) {
    TempDir temp;
    for (const char* folder : {"beta", "Alpha", ".cache", "gamma.d", "target"}) {
        temp.Write(std::string(folder) + "/inside", "x");
    }
    temp.Write("a file", "x");
    ASSERT_EQ(::symlink(temp.File("target").c_str(), temp.File("Link to folder").c_str()), 0);
    ASSERT_EQ(::symlink(temp.File("a file").c_str(), temp.File("link to file").c_str()), 0);
    ASSERT_EQ(::symlink(temp.File("nowhere").c_str(), temp.File("dangling").c_str()), 0);

    EXPECT_EQ(SubfolderNames(temp.Path()),
              (Names{".cache", "Alpha", "beta", "gamma.d", "Link to folder", "target"}));
    EXPECT_EQ(SubfolderNames(temp.File("Link to folder")), Names{});
    EXPECT_EQ(SubfolderNames(temp.File("missing")), std::nullopt);
    EXPECT_EQ(SubfolderNames(temp.File("a file")), std::nullopt);
}

}  // namespace
}  // namespace quellix::platform
