#include "core/config/ini_option.h"

#include <cstring>

#include "platform/config_file.h"

namespace quellix {

std::string UnusableIniReason(const std::string& path) {
    const platform::ConfigFileRead found = platform::InspectConfigFile(path);
    switch (found.state) {
        case platform::ConfigFileState::MissingFolder:
            return "no such folder";
        case platform::ConfigFileState::Folder:
            return "is a folder";
        case platform::ConfigFileState::NotRegular:
            return "is not a regular file";
        case platform::ConfigFileState::Unreachable:
            return std::strerror(found.error);
        case platform::ConfigFileState::Regular:
        case platform::ConfigFileState::Missing:
        case platform::ConfigFileState::UnsafeLink:
        case platform::ConfigFileState::Untrusted:
        case platform::ConfigFileState::TooLarge:
            break;
    }
    return {};
}

}  // namespace quellix
