#pragma once

#include <string>

namespace quellix {

struct RunningSystem {
    // The text the main window's title shows after the program's.
    std::string description;
    // Errors of a copy whose service is installed go to the system log (as on the NT family).
    bool isNt = false;
};

// The system this process runs on, described as its users know it.
RunningSystem DescribeRunningSystem();

}  // namespace quellix
