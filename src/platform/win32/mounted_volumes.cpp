#include "platform/mounted_volumes.h"

#include <windows.h>

#include <cwchar>
#include <iterator>

#include "platform/win32/wide_text.h"

namespace quellix::platform {

std::vector<MountedVolume> MountedVolumes() {
    std::vector<MountedVolume> volumes;
    // "C:\<NUL>D:\<NUL><NUL>"
    wchar_t drives[4 * 26 + 2] = {};
    const DWORD length = ::GetLogicalDriveStringsW(static_cast<DWORD>(std::size(drives)), drives);
    if (length == 0 || length > std::size(drives)) {
        return volumes;
    }
    // A drive without its medium would ask the user to insert one.
    const UINT previousMode = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    for (const wchar_t* root = drives; *root != L'\0'; root += std::wcslen(root) + 1) {
        wchar_t label[MAX_PATH + 1] = {};
        wchar_t type[MAX_PATH + 1] = {};
        const bool ready = ::GetVolumeInformationW(root, label, MAX_PATH + 1, nullptr, nullptr,
                                                   nullptr, type, MAX_PATH + 1) != FALSE;
        volumes.push_back({win32::Narrow(root), win32::Narrow(type), win32::Narrow(label), ready});
    }
    ::SetErrorMode(previousMode);
    return volumes;
}

}  // namespace quellix::platform
