#pragma once

#include <string>

namespace quellix {

// The version information of a running Windows, as the system gives it.
struct WindowsVersionInfo {
    unsigned major = 0;
    unsigned minor = 0;
    unsigned build = 0;
    // 1: the Windows 95 family, 2: the NT family.
    unsigned platformId = 0;
    // 1: a workstation, 2: a domain controller, 3: a server.
    unsigned productType = 1;
    // The service-pack text, possibly padded.
    std::string servicePack;
};

struct WindowsDescription {
    std::string text;  // "Windows 2000 v.5.0, Build 2195, Service Pack 4"
    bool isNt = false;
};

// The name of the version, " v.", major.minor, ", Build ", the build, then ", " and the
// service pack when there is one. Versions before Windows XP keep their historical names and
// their build read as a signed 16-bit number; later ones are named as Microsoft names them
// (Windows 10 and 11 share 10.0 and differ by build; servers by product type).
WindowsDescription DescribeWindows(const WindowsVersionInfo& version);

}  // namespace quellix
