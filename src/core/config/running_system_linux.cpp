#include "core/config/os_description.h"
#include "core/config/running_system.h"
#include "platform/os_info.h"

namespace quellix {

RunningSystem DescribeRunningSystem() {
    // The system offers services, so errors follow the service rule as on NT.
    return {DescribeLinux(platform::KernelRelease(), platform::OsReleaseText()), true};
}

}  // namespace quellix
