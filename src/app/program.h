#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace quellix {

// The whole program without a display: arguments exclude the program name; returns the exit code.
int RunProgram(const std::vector<std::string>& arguments, const std::string& executableFolder,
               std::ostream& out, std::ostream& err);

}  // namespace quellix
