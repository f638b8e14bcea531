#pragma once

#include <string>
#include <vector>

namespace quellix::platform {

// The program's arguments in UTF-8, without the program's name. On Linux they are main's argv as
// they are; on Windows main's argv is in the legacy code page, so they are taken from the wide
// command line instead.
std::vector<std::string> ProgramArguments(int argc, char* argv[]);

}  // namespace quellix::platform
