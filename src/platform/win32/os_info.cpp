#include "platform/os_info.h"

#include <windows.h>

#include <string>

#include "platform/win32/wide_text.h"
#include "platform/windows_version.h"

namespace quellix::platform {

std::string KernelRelease() {
    const WindowsVersion version = RunningWindowsVersion();
    if (version.major == 0) {
        return {};
    }
    return std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
           std::to_string(version.build);
}

std::string OsReleaseText() {
    constexpr wchar_t kKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
    DWORD size = 0;
    if (::RegGetValueW(HKEY_LOCAL_MACHINE, kKey, L"ProductName", RRF_RT_REG_SZ, nullptr, nullptr,
                       &size) != ERROR_SUCCESS ||
        size < sizeof(wchar_t)) {
        return {};
    }
    std::wstring name(size / sizeof(wchar_t), L'\0');
    if (::RegGetValueW(HKEY_LOCAL_MACHINE, kKey, L"ProductName", RRF_RT_REG_SZ, nullptr,
                       name.data(), &size) != ERROR_SUCCESS) {
        return {};
    }
    name.resize(wcsnlen(name.c_str(), size / sizeof(wchar_t)));
    // Windows 11 kept the key of Windows 10 and its "Windows 10" product name; build 22000 is the
    // first of Windows 11.
    constexpr std::wstring_view kTen = L"Windows 10";
    if (name.starts_with(kTen) && RunningWindowsVersion().build >= 22000) {
        name.replace(0, kTen.size(), L"Windows 11");
    }
    return win32::Narrow(name);
}

}  // namespace quellix::platform
