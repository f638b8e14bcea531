#pragma once

#include <string_view>

namespace quellix::platform {

enum class LogSeverity { Error, Warning, Information };

// Adds one entry to the system log under the given identity. Failures are ignored.
void WriteSystemLog(std::string_view identity, LogSeverity severity, std::string_view text);

}  // namespace quellix::platform
