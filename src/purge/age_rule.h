#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/clock.h"

namespace quellix {

// Seconds from 1970-01-01 00:00:00 to a calendar time, counted on the calendar alone (no time
// zone, no daylight saving), so that adding hours moves the wall clock as a person reads it.
std::int64_t CivilSeconds(const platform::CivilTime& time);

// Whole hours of retention from the text of the folder list: the leading number rounded half to
// even; nullopt when it is too large to mean anything (such a file never ages).
std::optional<std::int64_t> RetentionHours(std::string_view retentionText);

// A file is obsolete when its date plus the retention, cut to the whole hour, is not later than
// now cut to the whole hour: a file of 10:40 kept 24 hours is obsolete from 10:00 the next day.
bool IsObsolete(const platform::CivilTime& fileDate, std::int64_t retentionHours,
                const platform::CivilTime& now);

}  // namespace quellix
