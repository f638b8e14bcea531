#include "platform/path_text.h"

#include <gtest/gtest.h>

#include <string>

namespace quellix::platform {
namespace {

// The core splits and joins Windows paths by these rules: a root is never cut, a path that
// depends on the current drive or folder is never taken for an absolute one.
TEST(WindowsPathText, RootsParentsAndJoins) {
    struct Case {
        const char* path;
        std::size_t root;
        const char* parent;
        const char* joined;  // path joined with "a.txt"
    };
    const Case cases[] = {
        {"C:\\", 3, "C:\\", "C:\\a.txt"},
        {"c:/Temp/", 3, "c:/Temp", "c:/Temp/a.txt"},
        {"C:\\Temp\\In", 3, "C:\\Temp", "C:\\Temp\\In\\a.txt"},
        {"C:\\Quellix.ini", 3, "C:\\", "C:\\Quellix.ini\\a.txt"},
        {"C:", 0, ".", "C:\\a.txt"},
        {"C:name", 0, ".", "C:name\\a.txt"},
        {"\\Temp\\x", 0, "\\Temp", "\\Temp\\x\\a.txt"},
        {"name", 0, ".", "name\\a.txt"},
        {"\\\\server\\share", 14, "\\\\server\\share", "\\\\server\\share\\a.txt"},
        {"\\\\server\\share\\f.ini", 15, "\\\\server\\share\\", "\\\\server\\share\\f.ini\\a.txt"},
        {"\\\\server\\", 0, "\\\\server", "\\\\server\\a.txt"},
        {"\\\\\\x", 0, "\\\\", "\\\\\\x\\a.txt"},
        {"", 0, ".", "a.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(RootLength(c.path), c.root);
        EXPECT_EQ(IsAbsolutePath(c.path), c.root > 0);
        EXPECT_EQ(ParentFolder(c.path), c.parent);
        EXPECT_EQ(JoinPath(c.path, "a.txt"), c.joined);
    }
    EXPECT_EQ(WithTrailingSeparator("C:\\Temp"), "C:\\Temp\\");
    EXPECT_EQ(WithTrailingSeparator("C:/Temp/"), "C:/Temp/");
    EXPECT_EQ(LastName("C:\\Temp/In\\a.txt"), "a.txt");
}

}  // namespace
}  // namespace quellix::platform
