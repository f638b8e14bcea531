#pragma once

#include <optional>
#include <string_view>

namespace quellix {

// Minute of the day (hour × 60 + minute, seconds ignored) of a purge time written as a time of
// day or a date, or nullopt when the text is neither. Accepted: H:MM, HH:MM and HH:MM:SS (hours
// 0 to 23), the same followed by AM or PM (hours 1 to 12), a date yyyy-mm-dd (minute 0) and a date
// followed by a space and a time.
std::optional<int> ParsePurgeTime(std::string_view text);

}  // namespace quellix
