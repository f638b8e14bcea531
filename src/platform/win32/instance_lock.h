#pragma once

#include <string>

namespace quellix::platform::win32 {

// The name of the named mutex that stands for the configuration file at configPath: the same for
// every spelling of the file (relative, "/" or "\", any letter case, through links to it or to
// its folders), different for another file.
std::wstring InstanceMutexName(const std::string& configPath);

}  // namespace quellix::platform::win32
