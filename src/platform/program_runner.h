#pragma once

#include <string>
#include <vector>

namespace quellix::platform {

// Runs a program without a shell and waits for it to end. arguments[0] names the program: a path,
// or a name looked up on PATH. Its standard input, output and error are /dev/null, and it gets
// this process's environment with default signal handling. Returns its exit status, or -1 when
// it could not be started or was ended by a signal.
int RunProgram(const std::vector<std::string>& arguments);

}  // namespace quellix::platform
