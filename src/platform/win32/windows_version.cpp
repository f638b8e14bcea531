#include "platform/windows_version.h"

#include <windows.h>
#include <winternl.h>

#include "platform/win32/wide_text.h"

extern "C" NTSTATUS NTAPI RtlGetVersion(PRTL_OSVERSIONINFOW versionInformation);

namespace quellix::platform {

WindowsVersion RunningWindowsVersion() {
    // GetVersionEx answers with the version the manifest declares, so Windows 10 and 11 would
    // read as 6.2; the native call tells the truth.
    RTL_OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!NT_SUCCESS(::RtlGetVersion(reinterpret_cast<PRTL_OSVERSIONINFOW>(&info)))) {
        return {};
    }
    WindowsVersion version;
    version.major = info.dwMajorVersion;
    version.minor = info.dwMinorVersion;
    version.build = info.dwBuildNumber;
    version.platformId = info.dwPlatformId;
    version.productType = info.wProductType;
    version.servicePack = win32::Narrow(info.szCSDVersion);
    return version;
}

}  // namespace quellix::platform
