#pragma once

#include <string>

namespace quellix::platform {

// The version of the running Windows as the system itself reports it, whatever the program's
// manifest claims to support.
struct WindowsVersion {
    unsigned major = 0;
    unsigned minor = 0;
    unsigned build = 0;
    unsigned platformId = 0;        // 2 for the NT family
    unsigned char productType = 0;  // 1 workstation, 2 domain controller, 3 server
    std::string servicePack;        // "" when none
};

// Only on Windows.
WindowsVersion RunningWindowsVersion();

}  // namespace quellix::platform
