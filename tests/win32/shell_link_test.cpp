#include "platform/win32/shell_link.h"

// The other system headers need the definitions of <windows.h>.
// clang-format off
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
// clang-format on

#include <gtest/gtest.h>

#include <cerrno>

#include "platform/win32/wide_text.h"
#include "support/temp_dir.h"

namespace quellix::platform::win32 {
namespace {

// The target as Explorer reads it back from the file.
std::wstring LinkTarget(const std::wstring& linkPath) {
    std::wstring target;
    IShellLinkW* link = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(&link)))) {
        return target;
    }
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        wchar_t path[MAX_PATH] = {};
        if (SUCCEEDED(file->Load(linkPath.c_str(), STGM_READ)) &&
            SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH))) {
            target = path;
        }
        file->Release();
    }
    link->Release();
    return target;
}

TEST(ShellLink, PointsToTheMovedFileAndNeverReplacesOne) {
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const test::TempDir dir;
    const std::string target = dir.Write("archive/2009/report final.doc", "moved here");
    const std::wstring link = SystemPath(dir.File("report final.lnk"));
    ASSERT_EQ(SaveShellLink(link, SystemPath(target)), 0);
    std::wstring expected = SystemPath(target).substr(4);  // without "\\?\"
    EXPECT_EQ(LinkTarget(link), expected);

    const std::string taken = dir.Write("taken.lnk", "someone else's");
    EXPECT_EQ(SaveShellLink(SystemPath(taken), SystemPath(target)), EEXIST);
    EXPECT_EQ(dir.Read("taken.lnk"), "someone else's");
    EXPECT_EQ(SaveShellLink(link, SystemPath(target)), EEXIST);
    EXPECT_EQ(LinkTarget(link), expected);

    // A folder that is not there: nothing is left behind.
    EXPECT_EQ(SaveShellLink(SystemPath(dir.File("no such folder/a.lnk")), SystemPath(target)),
              ENOENT);
}

}  // namespace
}  // namespace quellix::platform::win32
