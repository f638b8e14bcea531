#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/clock.h"

namespace quellix::platform::win32 {

// The local time of an instant in the named time zone (a key of the registry's Time Zones, such
// as "W. Europe Standard Time"), with the daylight saving rules of the instant's year; an empty
// name means the machine's zone. nullopt for an instant before 1601 or past the year 30827, or a
// zone the system does not know.
std::optional<CivilTime> LocalTimeIn(const std::wstring& zoneKey, std::int64_t secondsSinceEpoch);

}  // namespace quellix::platform::win32
