#pragma once

#include <ostream>

#include "core/config/program_files.h"

namespace quellix {

// "--undo-last": the last purge's moves and trashings taken back, with this copy's configuration
// file locked as a run locks it, so that no purge runs meanwhile. Returns the exit code.
int RunUndoLast(const ProgramFiles& files, std::ostream& out, std::ostream& err);

}  // namespace quellix
