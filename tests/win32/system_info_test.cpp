#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/mounted_volumes.h"
#include "platform/os_info.h"
#include "platform/process_info.h"
#include "platform/win32/system_log.h"
#include "platform/win32/wide_text.h"
#include "platform/windows_version.h"

namespace quellix::platform {
namespace {

TEST(WindowsMountedVolumes, TheDrivesWithTheirFileSystems) {
    const std::vector<MountedVolume> volumes = MountedVolumes();
    wchar_t windows[MAX_PATH] = {};
    ASSERT_NE(::GetWindowsDirectoryW(windows, MAX_PATH), 0u);
    const std::string systemDrive = win32::Narrow(std::wstring(windows, 3));  // "C:\"
    const auto system =
        std::find_if(volumes.begin(), volumes.end(),
                     [&](const MountedVolume& volume) { return volume.rootPath == systemDrive; });
    ASSERT_NE(system, volumes.end()) << systemDrive;
    EXPECT_TRUE(system->ready);
    EXPECT_FALSE(system->fileSystemType.empty());
    for (const MountedVolume& volume : volumes) {
        EXPECT_EQ(volume.rootPath.size(), 3u) << volume.rootPath;
        EXPECT_TRUE(volume.rootPath.ends_with(":\\")) << volume.rootPath;
    }
}

TEST(WindowsProcessInfo, TheExecutableAndItsFolder) {
    const std::string path = ExecutablePath();
    const std::string folder = ExecutableDirectory();
    EXPECT_TRUE(path.ends_with("\\win32_tests.exe")) << path;
    EXPECT_EQ(path, folder + "\\win32_tests.exe");
    const DWORD attributes = ::GetFileAttributesW(win32::Widen(folder).c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES) << folder;
    EXPECT_NE(attributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

TEST(WindowsProcessInfo, EnvironmentValuesInUtf8) {
    const struct {
        const wchar_t* value;  // nullptr: not set
        std::optional<std::string> expected;
    } cases[] = {
        {L"r\u00e9sum\u00e9 \u65e5\u672c \U0001F4C1",
         "r\xc3\xa9sum\xc3\xa9 \xe6\x97\xa5\xe6\x9c\xac "
         "\xf0\x9f\x93\x81"},
        {L"", std::string()},
        {nullptr, std::nullopt},
    };
    for (const auto& c : cases) {
        ::SetEnvironmentVariableW(L"QUELLIX_TEST_VALUE", c.value);
        EXPECT_EQ(EnvironmentVariable("QUELLIX_TEST_VALUE"), c.expected);
    }
    const std::wstring longValue(5000, L'x');
    ::SetEnvironmentVariableW(L"QUELLIX_TEST_VALUE", longValue.c_str());
    EXPECT_EQ(EnvironmentVariable("QUELLIX_TEST_VALUE"), std::string(5000, 'x'));
    ::SetEnvironmentVariableW(L"QUELLIX_TEST_VALUE", nullptr);
}

TEST(WindowsProcessInfo, TheUsersFolders) {
    EXPECT_EQ(HomeDirectory(), EnvironmentVariable("USERPROFILE").value_or("?"));
    EXPECT_EQ(UserConfigHome(), EnvironmentVariable("APPDATA").value_or("?"));
    EXPECT_FALSE(HomeDirectory().empty());
    // Wine runs programs as an administrator with full rights.
    EXPECT_EQ(EffectiveUserId(), 0u);
    EXPECT_EQ(CurrentUserId(), EffectiveUserId());
}

TEST(WindowsVersion, TheRealVersionOfTheSystem) {
    const WindowsVersion version = RunningWindowsVersion();
    EXPECT_EQ(version.platformId, 2u);  // the NT family
    EXPECT_GE(version.major, 6u);
    EXPECT_GT(version.build, 0u);
    EXPECT_GE(version.productType, 1);
    EXPECT_LE(version.productType, 3);
    EXPECT_EQ(KernelRelease(), std::to_string(version.major) + "." + std::to_string(version.minor) +
                                   "." + std::to_string(version.build));
    // Wine names its Windows 7 "Microsoft Windows 7".
    EXPECT_NE(OsReleaseText().find("Windows"), std::string::npos) << OsReleaseText();
}

TEST(WindowsSystemLog, TheTextReachesTheLogWhole) {
    EXPECT_EQ(win32::EventText("Quellix Service started"), L"Quellix Service started");
    EXPECT_EQ(win32::EventText(std::string_view("a\0b", 3)), L"a\\0b");
    EXPECT_EQ(win32::EventText("\xc3\xa9t\xc3\xa9"), L"\u00e9t\u00e9");
    // Cut to what an insertion string may hold, never inside a surrogate pair.
    EXPECT_EQ(win32::EventText(std::string(40000, 'x')).size(), 31839u);
    // Appended, not concatenated: GCC 12 takes the latter for a copy out of bounds.
    std::string pairs(31838, 'x');
    pairs += "\xf0\x9f\x93\x81";
    EXPECT_EQ(win32::EventText(pairs), std::wstring(31838, L'x'));
}

}  // namespace
}  // namespace quellix::platform
