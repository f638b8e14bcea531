#pragma once

#include <optional>

#include "core/config/config_error.h"
#include "core/config/startup.h"

namespace quellix {

class FrontEnd;

// What a purge needs, read as start-up reads it, with nothing written: no file or folder made,
// no key corrected, no lock taken, nothing reported but through the error returned.
std::optional<ConfigError> LoadWithoutWriting(const StartupRequest& request, ProgramState& state,
                                              FrontEnd& frontEnd);

}  // namespace quellix
