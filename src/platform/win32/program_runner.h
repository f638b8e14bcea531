#pragma once

#include <string>
#include <vector>

namespace quellix::platform::win32 {

// The command line from which CommandLineToArgvW (and the C runtime's startup) gives back exactly
// these arguments. The first, the program's name, follows its own rule: it may hold no quote.
std::wstring QuotedCommandLine(const std::vector<std::wstring>& arguments);

}  // namespace quellix::platform::win32
