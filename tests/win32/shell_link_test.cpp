#include "platform/win32/shell_link.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "platform/win32/wide_text.h"
#include "support/temp_dir.h"
#include "win32/file_helpers.h"

namespace quellix::platform::win32 {
namespace {

TEST(ShellLink, PointsToTheMovedFileAndNeverReplacesOne) {
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const quellix::test::TempDir dir;
    const std::string target = dir.Write("archive/2009/report final.doc", "moved here");
    const std::wstring link = SystemPath(dir.File("report final.lnk"));
    ASSERT_EQ(SaveShellLink(link, SystemPath(target)), 0);
    std::wstring expected = SystemPath(target).substr(4);  // without "\\?\"
    EXPECT_EQ(test::ShellLinkTarget(link), expected);

    const std::string taken = dir.Write("taken.lnk", "someone else's");
    EXPECT_EQ(SaveShellLink(SystemPath(taken), SystemPath(target)), EEXIST);
    EXPECT_EQ(dir.Read("taken.lnk"), "someone else's");
    EXPECT_EQ(SaveShellLink(link, SystemPath(target)), EEXIST);
    EXPECT_EQ(test::ShellLinkTarget(link), expected);

    // A folder that is not there: nothing is left behind.
    EXPECT_EQ(SaveShellLink(SystemPath(dir.File("no such folder/a.lnk")), SystemPath(target)),
              ENOENT);
}

}  // namespace
}  // namespace quellix::platform::win32
