#pragma once

#include <optional>

#include "core/common/front_end.h"
#include "core/config/startup.h"

namespace quellix {

// The exit code of a program whose start-up ended with outcome, when something may have asked
// the program to end meanwhile.
int StartupExitCode(StartupOutcome outcome, std::optional<ProgramEnd> endRequested);

}  // namespace quellix
