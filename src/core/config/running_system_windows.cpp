#include "core/config/running_system.h"
#include "core/config/windows_description.h"
#include "platform/windows_version.h"

namespace quellix {

RunningSystem DescribeRunningSystem() {
    const platform::WindowsVersion version = platform::RunningWindowsVersion();
    const WindowsDescription description =
        DescribeWindows({version.major, version.minor, version.build, version.platformId,
                         version.productType, version.servicePack});
    return {description.text, description.isNt};
}

}  // namespace quellix
