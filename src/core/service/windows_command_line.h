#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quellix {

// One argument quoted so that a Windows program's CommandLineToArgvW gives it back exactly:
// untouched when it holds no blank or quote, else in quotes with the backslashes before a quote
// (and before the closing one) doubled.
std::string QuoteWindowsArgument(std::string_view argument);

// The arguments quoted and joined by spaces.
std::string WindowsCommandLine(const std::vector<std::string>& arguments);

}  // namespace quellix
