#pragma once

#include <ostream>
#include <string>

#include "core/config/command_line.h"
#include "core/config/program_files.h"

namespace quellix {

// The desktop program (no -C, no --service); returns the exit code. A build without the desktop
// window, or a session without a display, says how to run the program instead.
int RunDesktop(const CommandLine& commandLine, const ProgramFiles& files, std::ostream& err);

}  // namespace quellix
