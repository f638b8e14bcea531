#include "platform/folder_tree.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "file_helpers.h"
#include "support/temp_dir.h"

namespace quellix::platform {
namespace {

using quellix::test::TempDir;
using win32::test::AttributesAt;
using win32::test::SetAttributesAt;
using win32::test::WriteFileAt;

using Names = std::vector<std::string>;

// Folders only, in a file manager's order; the system's own folders left out, the hidden kept.
TEST(Win32SubfolderNames, FoldersOnlySortedWithoutTheSystemsOwn) {
    TempDir temp;
    const std::string accented = "\xc3\xa9t\xc3\xa9";  // "été"
    for (const char* folder : {"beta", "Alpha", "gamma.d", "Hidden", "Kept by the system"}) {
        temp.Write(std::string(folder) + "/inside.txt", "x");
    }
    // Beyond the ANSI code page the test support's narrow calls take.
    ASSERT_TRUE(::CreateDirectoryW(win32::SystemPath(temp.File(accented)).c_str(), nullptr));
    ASSERT_TRUE(WriteFileAt(temp.File("a file.txt"), "x"));
    ASSERT_TRUE(SetAttributesAt(temp.File("Hidden"), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetAttributesAt(temp.File("Kept by the system"),
                                FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    if ((AttributesAt(temp.File("Kept by the system")) & FILE_ATTRIBUTE_SYSTEM) == 0) {
        GTEST_SKIP() << "this file system keeps no attributes";
    }

    EXPECT_EQ(SubfolderNames(temp.Path()), (Names{"Alpha", "beta", "gamma.d", "Hidden", accented}));
    EXPECT_EQ(SubfolderNames(temp.Path() + "\\beta\\"), Names{});
    EXPECT_EQ(SubfolderNames(temp.File("missing")), std::nullopt);
    EXPECT_EQ(SubfolderNames(temp.File("a file.txt")), std::nullopt);
}

}  // namespace
}  // namespace quellix::platform
