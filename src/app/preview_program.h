#pragma once

#include <ostream>

#include "core/config/command_line.h"
#include "core/config/program_files.h"

namespace quellix {

// "--dry-run": the list loaded and counted as a one-shot run would, then what a purge of every
// entry would do, written to out (as JSON lines with --json); nothing is written anywhere else.
// Returns the exit code.
int RunPreview(const CommandLine& commandLine, const ProgramFiles& files, std::ostream& out,
               std::ostream& err);

}  // namespace quellix
