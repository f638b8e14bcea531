#pragma once

#include <ctime>

#include "platform/clock.h"

namespace quellix::platform {

// The fields of time for strftime, as they are and never normalized by mktime: a time that a
// change to daylight saving time skips still prints as itself. Day of week and of year follow
// from the date, so %A and %j cannot contradict it.
std::tm CivilFields(const CivilTime& time);

}  // namespace quellix::platform
