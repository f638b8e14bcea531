#include "platform/os_info.h"

#include <sys/utsname.h>

#include "platform/file_system.h"

namespace quellix::platform {

std::string KernelRelease() {
    struct utsname names {};
    if (::uname(&names) != 0) {
        return {};
    }
    return names.release;
}

std::string OsReleaseText() {
    // /etc/os-release takes precedence; /usr/lib/os-release is the distribution's default.
    for (const char* path : {"/etc/os-release", "/usr/lib/os-release"}) {
        if (std::optional<std::string> text = ReadWholeFile(path)) {
            return *text;
        }
    }
    return {};
}

}  // namespace quellix::platform
