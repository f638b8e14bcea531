#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quellix {

// Keeps the newest daily logs of the folder: with more than keep files named "Log Quellix*.htm",
// the oldest (by name, which is date order) are removed until keep - 1 remain, leaving room for
// the day's new file. A file that cannot be removed is passed over and the next one goes instead.
// "Log Quellix*.htm": a daily log of the program.
bool IsDayLogName(std::string_view name);

void PruneLogs(const std::string& folder, std::int16_t keep);

}  // namespace quellix
