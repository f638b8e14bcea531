#include "core/config/windows_description.h"

#include <cstdint>
#include <string_view>

namespace quellix {

namespace {

constexpr unsigned kWin9x = 1;
constexpr unsigned kNt = 2;

struct NamedBuild {
    unsigned fromBuild;
    std::string_view name;
};

// Windows 10 onwards all report 10.0; the build tells them apart.
constexpr NamedBuild kWorkstations10[] = {{22000, "Windows 11"}, {0, "Windows 10"}};
constexpr NamedBuild kServers10[] = {{26100, "Windows Server 2025"},
                                     {20348, "Windows Server 2022"},
                                     {17763, "Windows Server 2019"},
                                     {0, "Windows Server 2016"}};

std::string_view ByBuild(const NamedBuild* names, std::size_t count, unsigned build) {
    for (std::size_t i = 0; i < count; ++i) {
        if (build >= names[i].fromBuild) {
            return names[i].name;
        }
    }
    return {};
}

std::string_view NtName(const WindowsVersionInfo& v) {
    const bool server = v.productType != 1;
    const unsigned version = v.major * 100 + v.minor;
    if (v.major <= 4) {
        return "Windows NT";
    }
    switch (version) {
        case 500:
            return "Windows 2000";
        case 501:
            return "Windows XP";
        case 502:
            return server ? "Windows Server 2003" : "Windows XP Professional x64";
        case 600:
            return server ? "Windows Server 2008" : "Windows Vista";
        case 601:
            return server ? "Windows Server 2008 R2" : "Windows 7";
        case 602:
            return server ? "Windows Server 2012" : "Windows 8";
        case 603:
            return server ? "Windows Server 2012 R2" : "Windows 8.1";
        default:
            break;
    }
    if (v.major == 10 && v.minor == 0) {
        return server ? ByBuild(kServers10, std::size(kServers10), v.build)
                      : ByBuild(kWorkstations10, std::size(kWorkstations10), v.build);
    }
    return server ? "Windows Server" : "Windows";
}

std::string Trimmed(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

}  // namespace

WindowsDescription DescribeWindows(const WindowsVersionInfo& version) {
    WindowsDescription description;
    std::string_view name;
    // The historical systems show their build as the old interface returned it.
    bool shortBuild = true;
    if (version.platformId == kWin9x) {
        name = version.minor == 0    ? "Windows 95"
               : version.minor == 10 ? "Windows 98"
               : version.minor == 90 ? "Windows Me"
                                     : "";
    } else if (version.platformId == kNt) {
        description.isNt = true;
        name = NtName(version);
        shortBuild = version.major < 5 || (version.major == 5 && version.minor == 0);
    } else {
        name = "???";
    }
    const long build = shortBuild ? static_cast<std::int16_t>(version.build & 0xFFFF)
                                  : static_cast<long>(version.build);
    description.text = std::string(name) + " v." + std::to_string(version.major) + "." +
                       std::to_string(version.minor) + ", Build " + std::to_string(build);
    if (const std::string pack = Trimmed(version.servicePack); !pack.empty()) {
        description.text += ", " + pack;
    }
    return description;
}

}  // namespace quellix
