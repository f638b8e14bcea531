#pragma once

#include <cstdint>

#include "platform/directory.h"

namespace quellix {

// Keeps the newest daily logs of the folder: with more than keep of the program's own day logs
// (OwnDayLogs), the oldest are removed until keep - 1 remain, leaving room for the day's new file.
// A file that cannot be removed is passed over and the next one goes instead. Nothing else of the
// folder is touched, whatever its name.
void PruneLogs(const platform::Directory& folder, std::int16_t keep);

}  // namespace quellix
